#include "core/item_list_box.h"

#include "core/item_line.h"
#include "core/row_order.h"
#include "core/text_units.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QStyledItemDelegate>

namespace quivanto {
namespace {

constexpr int LineRole = Qt::UserRole + 1;
constexpr std::size_t ShownCharacters = 256;

QByteArray toBytes(const std::string& line) {
    return QByteArray(line.data(), static_cast<qsizetype>(line.size()));
}

QByteArray bytesOf(const QListWidgetItem& item) {
    return item.data(LineRole).toByteArray();
}

std::string_view viewOf(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

std::string lineOf(const QListWidgetItem& item) {
    return std::string(viewOf(bytesOf(item)));
}

// A row ordered by the list's comparison of the stored bytes, not by Qt's.
class ItemRow final : public QListWidgetItem {
public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem& other) const override {
        const QByteArray mine = bytesOf(*this);
        const QByteArray theirs = bytesOf(other);
        return rowLess(viewOf(mine), viewOf(theirs));
    }
};

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
    setSortingEnabled(true);
    // Every drop reaches the list window's handler; there is no drag-over feedback of ours
    // and rows are never moved by dragging.
    setDragDropMode(QAbstractItemView::DropOnly);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

QListWidgetItem* ItemListBox::makeItem(const std::string& line) const {
    // Only the description column is ever in view: a row shows the start of its line, so a
    // line of a megabyte does not cost a megabyte of text layout at every repaint.
    const auto shown = leadingCharacters(line, ShownCharacters);
    auto* item = new ItemRow(QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size())));
    item->setData(LineRole, toBytes(line));
    // A screen reader reads the description, not the padding and the hidden target.
    const auto description = trimSpaces(descriptionField(line));
    item->setData(
        Qt::AccessibleTextRole,
        QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size())));
    return item;
}

void ItemListBox::setLines(std::vector<std::string> lines) {
    sortRows(lines);
    setSortingEnabled(false);
    clear();
    for (const auto& line : lines)
        QListWidget::addItem(makeItem(line)); // the list takes ownership
    setSortingEnabled(true);
}

int ItemListBox::addLine(const std::string& line) {
    QListWidgetItem* item = makeItem(line);
    QListWidget::addItem(item); // sorting is on: the row takes its sorted place
    return row(item);
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

void ItemListBox::setRowHeightPixels(int pixels) {
    rowHeightPixels_ = pixels;
    doItemsLayout();
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
