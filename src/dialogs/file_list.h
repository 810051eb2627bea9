#pragma once

#include <QListView>

#include <string>

namespace quivanto {

class NameListModel;

// The file list `filList`: the names of one folder's files, hidden ones left out, at most
// one selected.
class FileList final : public QListView {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent);

    // Shows a folder's files with none selected; false, and nothing changed, when the
    // folder cannot be read.
    bool setFolder(const std::string& folder);
    const std::string& folder() const { return folder_; }

    // The selected file's name; empty when none is selected.
    std::string selectedName() const;
    int count() const;
    std::string name(int row) const;

signals:
    void click(); // the user chose a file

private:
    NameListModel* model_;
    std::string folder_;
    bool rebuilding_ = false;
};

} // namespace quivanto
