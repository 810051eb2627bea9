#include "qt/file_list.h"

#include "qt/name_list_model.h"

namespace quivanto {

FileList::FileList(QWidget* parent)
    : QListView(parent)
    , model_(new NameListModel(this)) {
    setModel(model_); // bare names, as a file list shows them
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Only a selection counts as a choice: the focus entering the list moves the current
    // row without choosing a file.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!rebuilding_ && selectionModel()->hasSelection())
            emit click();
    });
    connect(this, &QAbstractItemView::clicked, this, [this] {
        if (selectionModel()->hasSelection())
            emit click();
    });
}

void FileList::setNames(std::vector<std::string> names) {
    std::vector<FolderEntry> rows;
    rows.reserve(names.size());
    for (auto& name : names)
        rows.push_back({std::move(name), 0, false});
    rebuilding_ = true;
    model_->setRows(std::move(rows));
    rebuilding_ = false;
}

int FileList::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

int FileList::count() const {
    return model_->rowCount();
}

std::string FileList::name(int row) const {
    return row >= 0 && row < count() ? model_->rowAt(row).name : std::string{};
}

} // namespace quivanto
