#pragma once

#include <QFont>
#include <QListWidget>

class QMimeData;

#include <string>
#include <vector>

namespace quivanto {

// The list box `lstApps`: one row per item line, the line's bytes kept exactly as stored,
// in the order the list window gives them, one fixed row height. It accepts a drop of
// anything and hands the dropped data on; deciding what to do with it is the list
// window's business.
class ItemListBox final : public QListWidget {
    Q_OBJECT
public:
    explicit ItemListBox(QWidget* parent = nullptr);

    // Replaces every row at once; faster than adding rows one by one.
    void setLines(const std::vector<std::string>& lines);

    // Inserts a row without moving the selection off its row.
    void insertLine(int index, const std::string& line);
    void removeLine(int index);

    std::string line(int index) const;
    int selectedIndex() const; // -1 when no row is selected
    void selectIndex(int index);

    void setRowHeightPixels(int pixels);

    // Typed characters go to the list window instead of the view's own search.
    void keyboardSearch(const QString& search) override;

    // The font the rows are meant to have. A row shows its 30-character description column
    // and nothing after it; where that column would not fit in this font (other metrics, a
    // scroll bar), the font is made smaller until it fits, so no row is cut short.
    void setDescriptionFont(const QFont& font);

    // The width of the text of a row of 30 characters, with the margins a row keeps.
    int descriptionColumnWidth() const;

signals:
    // Something was dropped on the list. The data lives only while the signal is handled.
    void dropped(const QMimeData* data);
    // Characters were typed into the list, with the key's time in milliseconds.
    void typed(const QString& text, quint64 timestamp);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    bool viewportEvent(QEvent* event) override;

private:
    QListWidgetItem* makeItem(std::string line) const;
    void fitDescriptionColumn();

    int rowHeightPixels_ = 13;
    bool loading_ = false; // setLines is filling the list
    QFont descriptionFont_;
    bool fontAsked_ = false;   // setDescriptionFont was called
    quint64 keyTimestamp_ = 0; // of the key being handled
};

} // namespace quivanto
