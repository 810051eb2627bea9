#pragma once

#include "core/list_file.h"
#include "core/list_window_geometry.h"
#include "platform/platform.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <filesystem>
#include <optional>

class QLabel;

namespace quivanto {

class ClickLabel;
class ItemListBox;
class PictureButton;
struct Message;

// Numbers of the secondary dialogs, as CloseOtherDialogs takes them.
namespace DialogNumber {
inline constexpr int None = 0;
inline constexpr int AddItem = 2;
inline constexpr int Properties = 3;
inline constexpr int About = 4;
} // namespace DialogNumber

enum class StartOutcome { Resident, AlreadyRunning, NoTray, ListFileFailed };

// The list window: a borderless panel above the tray holding the launcher items. It owns
// the tray icon and runs the program's start-up and shutdown.
class Form1 final : public QWidget {
    Q_OBJECT
public:
    // How long start-up waits for a notification area to appear.
    static constexpr int TrayWaitMilliseconds = 5000;

    Form1(Platform& platform, const std::filesystem::path& folder, QWidget* parent = nullptr);
    ~Form1() override;

    StartOutcome Form_Load();
    void InitializeList();
    void ConfirmRemoveFromTray();
    void Form_Unload();

    // The tray icon's events, as mouse message codes, with the x where the tray host says
    // the icon was clicked when it says so.
    void trayIconEvent(int code, std::optional<int> clickX = std::nullopt);

    void ShowMenu();
    // The right edge at `clickX` when given, else at the pointer.
    void ShowListAtCursor(std::optional<int> clickX = std::nullopt);
    void HideListWindow();
    void GrowListWindow();
    void ShrinkListWindow();

    // Open the Add Item and Properties dialogs afresh, modeless.
    void ShowAddDialog();
    void ShowPropertiesDialog();

    void CloseOtherDialogs(int dialogNumber);
    // A dialog opened from the list window, so CloseOtherDialogs can reach it. Dialogs
    // delete themselves when closed (Qt::WA_DeleteOnClose): closed means gone.
    void registerDialog(int dialogNumber, QWidget* dialog);
    QWidget* openDialog(int dialogNumber) const;

    // Closes any open dialog, the About box included, and shows a fresh About box.
    void ShowAboutDialog();

    bool isMinimized() const { return minimized_; }
    const ListWindowGeometry& listGeometry() const { return geometry_; }

    Platform& platform() { return platform_; }
    ListFile& listFile() { return listFile_; }
    ItemListBox* lstApps() const { return lstApps_; }

    MessageAnswer showMessage(const Message& message);

signals:
    // The list window was unloaded: the program ends.
    void unloaded();

protected:
    // Keys reach the window itself only when none of its controls has the focus.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectCommandStrip();
    void connectListCommands();
    void setMinimized(bool minimized);
    void applyGeometry();
    QRect pixelRect(const TwipsRect& rect) const;

    Platform& platform_;
    ListFile listFile_;
    ListWindowGeometry geometry_;
    ScreenMetrics metricsAtBuild_;
    bool minimized_ = true;
    TrayIconData trayIconData_;
    std::array<QPointer<QWidget>, 3> dialogs_; // Add Item, Properties, About

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
