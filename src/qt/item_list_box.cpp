#include "qt/item_list_box.h"

#include "core/item_line.h"
#include "core/text_units.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
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

// A row: the item line's bytes and nothing else. What the view asks of it (the text shown,
// the text a screen reader reads) is made from the bytes when asked, so a list of many
// thousands of rows costs one string per row to load and to keep.
class ItemRow final : public QListWidgetItem {
public:
    static constexpr int Type = QListWidgetItem::UserType + 1;

    explicit ItemRow(std::string line)
        : QListWidgetItem(nullptr, Type)
        , line_(std::move(line)) {}

    const std::string& line() const { return line_; }

    QVariant data(int role) const override {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            // The description column and nothing more: the separator and the target lie
            // beyond the visible part of a row, whatever the font.
            return textOf(descriptionField(line_));
        case Qt::AccessibleTextRole:
            // A screen reader reads the description, not the padding and the hidden target.
            return textOf(trimSpaces(descriptionField(line_)));
        default:
            return QListWidgetItem::data(role);
        }
    }

private:
    std::string line_;
};

std::string lineOf(const QListWidgetItem& item) {
    if (item.type() == ItemRow::Type)
        return static_cast<const ItemRow&>(item).line();
    return item.text().toStdString();
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

ItemListBox::ItemListBox(QWidget* parent)
    : QListWidget(parent) {
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

QListWidgetItem* ItemListBox::makeItem(std::string line) const {
    return new ItemRow(std::move(line));
}

void ItemListBox::setLines(const std::vector<std::string>& lines) {
    clear();
    loading_ = true;
    for (const auto& line : lines)
        QListWidget::addItem(makeItem(line)); // the list takes ownership
    loading_ = false;
    if (count() > 0)
        QListWidget::rowsInserted(QModelIndex(), 0, count() - 1);
}

void ItemListBox::rowsInserted(const QModelIndex& parent, int start, int end) {
    // The view lays itself out again for every row it is told of; while a whole list
    // arrives it is told once, of all the rows, at the end.
    if (!loading_)
        QListWidget::rowsInserted(parent, start, end);
}

void ItemListBox::insertLine(int index, const std::string& line) {
    QListWidget::insertItem(index, makeItem(line)); // the selection stays with its row
}

void ItemListBox::removeLine(int index) {
    delete takeItem(index);
}

std::string ItemListBox::line(int index) const {
    const QListWidgetItem* row = item(index);
    return row != nullptr ? lineOf(*row) : std::string{};
}

int ItemListBox::selectedIndex() const {
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void ItemListBox::selectIndex(int index) {
    setCurrentRow(index);
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
    return QListWidget::viewportEvent(event);
}

void ItemListBox::setRowHeightPixels(int pixels) {
    rowHeightPixels_ = pixels;
    doItemsLayout();
}

void ItemListBox::keyPressEvent(QKeyEvent* event) {
    keyTimestamp_ = event->timestamp();
    QListWidget::keyPressEvent(event);
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
