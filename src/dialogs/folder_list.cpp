#include "dialogs/folder_list.h"

#include "dialogs/browse_paths.h"
#include "dialogs/folder_listing.h"
#include "dialogs/name_list_model.h"

#include <QStyle>
#include <QStyledItemDelegate>

namespace quivanto {
namespace {

// Each level of the folder tree one step further right, as a tree would show it.
class IndentingDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int Step = 8;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() +
                             Step * index.data(NameListModel::DepthRole).toInt());
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

} // namespace

FolderList::FolderList(char separator, QWidget* parent)
    : QListView(parent)
    , separator_(separator)
    , model_(new NameListModel(this)) {
    model_->setIcons(style()->standardIcon(QStyle::SP_DirOpenIcon),
                     style()->standardIcon(QStyle::SP_DirClosedIcon));
    setModel(model_);
    setIconSize({16, 16});
    setItemDelegate(new IndentingDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!rebuilding_)
            emit click();
    });
}

bool FolderList::setPath(const std::string& folder) {
    auto listing = listFolder(folder);
    if (!listing) {
        highlight(openRow_);
        return false;
    }
    const std::vector<std::string> chain = folderChain(folder, separator_);
    std::vector<NameListModel::Row> rows;
    rows.reserve(chain.size() + listing->folders.size());
    int depth = 0;
    for (const auto& ancestor : chain)
        rows.push_back({std::string(lastName(ancestor, separator_)), depth++, true});
    for (auto& name : listing->folders)
        rows.push_back({std::move(name), depth, false});

    rebuilding_ = true;
    model_->setRows(std::move(rows));
    rebuilding_ = false;
    const bool changed = folder != path_;
    path_ = folder;
    openRow_ = static_cast<int>(chain.size()) - 1;
    highlight(openRow_);
    scrollTo(model_->index(openRow_));
    if (changed)
        emit change();
    return true;
}

std::string FolderList::entryPath(int row) const {
    if (row < 0 || row >= entryCount())
        return {};
    if (row <= openRow_) {
        const auto chain = folderChain(path_, separator_);
        return chain[static_cast<std::size_t>(row)];
    }
    return childFolder(path_, model_->rowAt(row).name, separator_);
}

std::string FolderList::highlightedPath() const {
    return entryPath(currentIndex().row());
}

int FolderList::entryCount() const {
    return model_->rowCount();
}

void FolderList::highlight(int row) {
    rebuilding_ = true;
    setCurrentIndex(model_->index(row));
    rebuilding_ = false;
}

void FolderList::focusOutEvent(QFocusEvent* event) {
    QListView::focusOutEvent(event);
    emit lostFocus();
}

} // namespace quivanto
