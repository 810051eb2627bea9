#include "qt/folder_list.h"

#include "qt/name_list_model.h"

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

FolderList::FolderList(QWidget* parent)
    : QListView(parent)
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

void FolderList::setEntries(std::vector<FolderEntry> entries) {
    rebuilding_ = true;
    model_->setRows(std::move(entries));
    rebuilding_ = false;
}

void FolderList::highlight(int row) {
    rebuilding_ = true;
    setCurrentIndex(model_->index(row));
    rebuilding_ = false;
    scrollTo(model_->index(row));
}

int FolderList::highlightedRow() const {
    return currentIndex().row();
}

int FolderList::entryCount() const {
    return model_->rowCount();
}

const FolderEntry& FolderList::entry(int row) const {
    return model_->rowAt(row);
}

void FolderList::focusOutEvent(QFocusEvent* event) {
    QListView::focusOutEvent(event);
    emit lostFocus();
}

} // namespace quivanto
