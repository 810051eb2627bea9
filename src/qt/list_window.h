#pragma once

#include "commands/drop_decision.h"
#include "core/list_window_geometry.h"
#include "list_window/list_window_view.h"
#include "platform/platform.h"

#include <QWidget>

class QLabel;
class QMimeData;

namespace quivanto {

class ClickLabel;
class Form1;
class ItemListBox;
class PictureButton;

// The virtual-key code of a Qt key; 0 for keys the key table does not know.
int virtualKeyCode(int qtKey);

// The file list of dropped data: the local files of its URLs. Data with no URLs, or with
// one that is not a local file, has no file list.
DroppedFiles droppedFilesFrom(const QMimeData& data);

// The list window's widgets: a borderless green panel with the banner, the command strip and
// `lstApps`. It shows what Form1 tells it and hands every user action to Form1.
class ListWindow final : public QWidget, public ListWindowView {
    Q_OBJECT
public:
    explicit ListWindow(const ScreenMetrics& metrics, QWidget* parent = nullptr);
    ~ListWindow() override;

    // The flows the window's events go to; set once, before events arrive.
    void attach(Form1& form) { form_ = &form; }

    void setRows(const std::vector<std::string>& rows) override;
    void insertRow(int index, const std::string& row) override;
    void removeRow(int index) override;
    int selectedIndex() const override;
    void selectIndex(int index) override;
    void place(const PixelRect& window, const PixelRect& list) override;
    void showWindow() override { show(); }
    void hideWindow() override { hide(); }
    void activate() override;
    void focusList() override;
    WindowHandle nativeHandle() const override;

    ItemListBox* lstApps() const { return lstApps_; }

protected:
    // Keys reach the window itself only when none of its controls has the focus.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    QRect pixelRect(const TwipsRect& rect) const;

    ScreenMetrics metrics_;
    Form1* form_ = nullptr;

    QLabel* picHeader_ = nullptr;
    ClickLabel* lblAbout_ = nullptr;
    PictureButton* picClose_ = nullptr;
    PictureButton* picAdd_ = nullptr;
    PictureButton* picDelete_ = nullptr;
    PictureButton* picProperties_ = nullptr;
    PictureButton* picHelp_ = nullptr;
    ItemListBox* lstApps_ = nullptr;
};

} // namespace quivanto
