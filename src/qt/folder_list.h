#pragma once

#include "dialogs/add_item_view.h"

#include <QListView>

#include <vector>

namespace quivanto {

class NameListModel;

// The folder list `dirList`: the entries the Add Item dialog gives it, each indented by its
// depth, one highlighted. Only the user's own moves of the highlight are announced.
class FolderList final : public QListView {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent);

    void setEntries(std::vector<FolderEntry> entries);
    // Highlights a row (-1: none) and scrolls to it, without the click signal.
    void highlight(int row);
    int highlightedRow() const;
    int entryCount() const;
    const FolderEntry& entry(int row) const;

signals:
    void click(); // the user chose an entry, by the mouse or by moving the highlight
    void lostFocus();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    NameListModel* model_;
    bool rebuilding_ = false;
};

} // namespace quivanto
