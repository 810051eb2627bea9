#pragma once

#include <QListView>

#include <string>
#include <vector>

namespace quivanto {

class NameListModel;

// The file list `filList`: the names the Add Item dialog gives it, at most one selected.
class FileList final : public QListView {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent);

    // Shows the names with none selected.
    void setNames(std::vector<std::string> names);

    // The selected row; -1 when none is selected.
    int selectedRow() const;
    int count() const;
    std::string name(int row) const;

signals:
    void click(); // the user chose a file

private:
    NameListModel* model_;
    bool rebuilding_ = false;
};

} // namespace quivanto
