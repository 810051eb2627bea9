#include "qt/item_list_box.h"

#include "core/item_line.h"
#include "core/text_units.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace quivanto {
namespace {

// The smallest size the description column is fitted down to.
constexpr qreal SmallestPointSize = 5.0;

QString textOf(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

class FixedRowDelegate final : public QStyledItemDelegate {
public:
    FixedRowDelegate(const int& height, QObject* parent)
        : QStyledItemDelegate(parent)
        , height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    const int& height_;
};

} // namespace

// The rows of the list box, read from the lines where their owner keeps them. A row's text
// (what the view shows, what a screen reader reads) is made from its bytes when asked, so a
// list of many thousands of rows costs nothing beyond the lines themselves.
//
// The owner changes its lines before it says so, while the view must hear of a change before
// it happens: between the two, the rows are answered as they were before the change.
class ItemRowsModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void show(const std::vector<std::string>& lines) {
        beginResetModel();
        lines_ = &lines;
        shown_ = static_cast<int>(lines.size());
        endResetModel();
    }

    void inserted(int index) {
        inserting_ = index;
        beginInsertRows({}, index, index);
        inserting_ = -1;
        ++shown_;
        endInsertRows();
    }

    void removed(int index) {
        removing_ = index;
        beginRemoveRows({}, index, index);
        removing_ = -1;
        --shown_;
        endRemoveRows();
    }

    // The line of a row as the view knows the rows; null for a row being removed.
    const std::string* lineAt(int row) const {
        if (lines_ == nullptr || row < 0 || row >= shown_ || row == removing_)
            return nullptr;
        std::size_t at = static_cast<std::size_t>(row);
        if (removing_ >= 0 && row > removing_)
            --at;
        if (inserting_ >= 0 && row >= inserting_)
            ++at;
        return at < lines_->size() ? &(*lines_)[at] : nullptr;
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : shown_;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const std::string* line = lineAt(index.row());
        if (line == nullptr)
            return {};
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            // The description column and nothing more: the separator and the target lie
            // beyond the visible part of a row, whatever the font.
            return textOf(descriptionField(*line));
        case Qt::AccessibleTextRole:
            // A screen reader reads the description, not the padding and the hidden target.
            return textOf(trimSpaces(descriptionField(*line)));
        default:
            return {};
        }
    }

private:
    const std::vector<std::string>* lines_ = nullptr;
    int shown_ = 0;      // the rows the view knows of
    int inserting_ = -1; // the row being inserted, while the view is told
    int removing_ = -1;  // the row being removed, while the view is told
};

ItemListBox::ItemListBox(QWidget* parent)
    : QListView(parent)
    , rows_(new ItemRowsModel(this)) {
    setModel(rows_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new FixedRowDelegate(rowHeightPixels_, this));
    // Every drop reaches the list window's handler; there is no drag-over feedback of ours
    // and rows are never moved by dragging.
    setDragDropMode(QAbstractItemView::DropOnly);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

ItemListBox::~ItemListBox() = default;

void ItemListBox::showLines(const std::vector<std::string>& lines) {
    rows_->show(lines);
}

void ItemListBox::lineInserted(int index) {
    rows_->inserted(index);
}

void ItemListBox::lineRemoved(int index) {
    rows_->removed(index);
}

int ItemListBox::count() const {
    return rows_->rowCount();
}

std::string ItemListBox::line(int index) const {
    const std::string* found = rows_->lineAt(index);
    return found != nullptr ? *found : std::string{};
}

int ItemListBox::selectedIndex() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ItemListBox::selectIndex(int index) {
    // As a list widget does it: the row becomes current and the only one selected; -1
    // leaves none.
    selectionModel()->setCurrentIndex(rows_->index(index), QItemSelectionModel::ClearAndSelect);
}

void ItemListBox::setDescriptionFont(const QFont& font) {
    descriptionFont_ = font;
    fontAsked_ = true;
    fitDescriptionColumn();
}

int ItemListBox::descriptionColumnWidth() const {
    // The margin the style's item delegate keeps on each side of a row's text.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const QString column(static_cast<qsizetype>(DescriptionWidth), QLatin1Char('W'));
    return fontMetrics().horizontalAdvance(column) + 2 * margin;
}

void ItemListBox::fitDescriptionColumn() {
    if (!fontAsked_)
        return;
    QFont font = descriptionFont_;
    setFont(font);
    while (descriptionColumnWidth() > viewport()->width() &&
           font.pointSizeF() > SmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
        setFont(font);
    }
}

bool ItemListBox::viewportEvent(QEvent* event) {
    // A scroll bar that comes or goes changes the room the column has.
    if (event->type() == QEvent::Resize)
        fitDescriptionColumn();
    return QListView::viewportEvent(event);
}

void ItemListBox::setRowHeightPixels(int pixels) {
    rowHeightPixels_ = pixels;
    doItemsLayout();
}

void ItemListBox::keyPressEvent(QKeyEvent* event) {
    keyTimestamp_ = event->timestamp();
    QListView::keyPressEvent(event);
}

void ItemListBox::keyboardSearch(const QString& search) {
    emit typed(search, keyTimestamp_);
}

void ItemListBox::dragEnterEvent(QDragEnterEvent* event) {
    event->acceptProposedAction();
}

void ItemListBox::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
}

void ItemListBox::dropEvent(QDropEvent* event) {
    event->acceptProposedAction(); // the drop effect stays as the drag source proposed it
    emit dropped(event->mimeData());
}

} // namespace quivanto
