#pragma once

#include "core/dialog_views.h"
#include "core/list_file.h"
#include "core/list_window_geometry.h"
#include "core/list_window_view.h"
#include "platform/platform.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quivanto {

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
// the tray icon, the list file, the one sorted list of rows and the open dialogs, and runs
// the program's start-up and shutdown. Its window is a ListWindowView.
class Form1 {
public:
    // How long start-up waits for a notification area to appear.
    static constexpr int TrayWaitMilliseconds = 5000;

    Form1(Platform& platform, const std::string& folder, ListWindowView& view,
          DialogViews& dialogViews);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    StartOutcome Form_Load();
    void InitializeList();
    void ConfirmRemoveFromTray();
    void Form_Unload();

    void trayIconEvent(const TrayEvent& event);

    void ShowMenu();
    // Beside the panel holding the tray icon, hanging from the host's place for the click
    // when it is believable, else from the icon, the pointer or the panel's edge.
    void ShowListAtCursor(std::optional<ScreenPoint> hostPlace = std::nullopt);
    void HideListWindow();
    void GrowListWindow();
    void ShrinkListWindow();

    // Open the Add Item and Properties dialogs afresh, modeless.
    void ShowAddDialog();
    void ShowPropertiesDialog();
    // Closes any open dialog, the About box included, and shows a fresh About box.
    void ShowAboutDialog();

    void CloseOtherDialogs(int dialogNumber);
    // The open dialog of a number, or null.
    ListDialog* openDialog(int dialogNumber) const;
    // A dialog tells it has closed; it is destroyed once the event that closed it is over.
    void dialogClosed(ListDialog& dialog);

    bool isMinimized() const { return minimized_; }
    const ListWindowGeometry& listGeometry() const { return geometry_; }
    // The place of the window and of its list, in pixels, as last given to the view.
    PixelRect windowRect() const;
    PixelRect listRect() const;

    Platform& platform() { return platform_; }
    ListFile& listFile() { return listFile_; }
    ListWindowView& view() { return view_; }

    // The rows of `lstApps`, in list order; the view mirrors them.
    const std::vector<std::string>& rows() const { return rows_; }
    // Adds a row at its sorted place, the selection staying on its row; returns its index.
    int addRow(const std::string& line);
    void removeRow(int index);
    int selectedIndex() const { return view_.selectedIndex(); }
    void selectIndex(int index) { view_.selectIndex(index); }
    void focusList() { view_.focusList(); }

    MessageAnswer showMessage(const Message& message);

private:
    template <class Dialog, class... Arguments>
    Dialog& openFresh(int dialogNumber, Arguments&&... arguments);
    void setMinimized(bool minimized);
    void applyGeometry();
    // Where the window stands now: the tray's monitor, beside the panel nearest its anchor.
    ListWindowArea currentArea();

    Platform& platform_;
    ListFile listFile_;
    ListWindowView& view_;
    DialogViews& dialogViews_;
    ListWindowGeometry geometry_;
    ScreenMetrics metricsAtBuild_;
    bool minimized_ = true;
    TrayIconData trayIconData_;
    std::vector<std::string> rows_;
    std::array<std::unique_ptr<ListDialog>, 3> dialogs_; // Add Item, Properties, About
    // Dialogs still open that a newer one of their kind replaced in the registry.
    std::vector<std::unique_ptr<ListDialog>> displaced_;
    std::vector<std::unique_ptr<ListDialog>> closed_;
};

} // namespace quivanto
