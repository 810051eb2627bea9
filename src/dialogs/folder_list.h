#pragma once

#include <QListView>

#include <string>

namespace quivanto {

class NameListModel;

// The folder list `dirList`: the open folder, the folders above it and the folders in it,
// with the open folder highlighted. The text of an entry is its full path.
class FolderList final : public QListView {
    Q_OBJECT
public:
    FolderList(char separator, QWidget* parent);

    const std::string& path() const { return path_; }

    // Opens a folder. A folder that cannot be read leaves the list as it was, with the
    // open folder highlighted again, and gives false.
    bool setPath(const std::string& folder);

    std::string highlightedPath() const;
    int entryCount() const;
    std::string entryPath(int row) const;

signals:
    void change(); // the open folder changed, whatever the cause
    void click();  // the user chose an entry, by the mouse or by moving the highlight
    void lostFocus();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void highlight(int row);

    char separator_;
    NameListModel* model_;
    std::string path_;
    int openRow_ = -1;
    bool rebuilding_ = false;
};

} // namespace quivanto
