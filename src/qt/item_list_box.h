#pragma once

#include <QFont>
#include <QListView>

class QMimeData;

#include <string>
#include <vector>

namespace quivanto {

class ItemRowsModel;

// The list box `lstApps`: one row per item line, shown from the lines where the list window
// keeps them, in their order, one fixed row height. It holds no copy of its own: the owner
// of the lines tells it of each change once the change is made. It accepts a drop of
// anything and hands the dropped data on; deciding what to do with it is the list window's
// business.
class ItemListBox final : public QListView {
    Q_OBJECT
public:
    explicit ItemListBox(QWidget* parent = nullptr);
    ~ItemListBox() override;

    // The lines to show from now on. They must outlive the box or be replaced first.
    void showLines(const std::vector<std::string>& lines);

    // A line was inserted at, or removed from, `index`. The selection stays on its row.
    void lineInserted(int index);
    void lineRemoved(int index);

    int count() const;
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
    bool viewportEvent(QEvent* event) override;

private:
    void fitDescriptionColumn();

    ItemRowsModel* rows_;
    int rowHeightPixels_ = 13;
    QFont descriptionFont_;
    bool fontAsked_ = false;   // setDescriptionFont was called
    quint64 keyTimestamp_ = 0; // of the key being handled
};

} // namespace quivanto
