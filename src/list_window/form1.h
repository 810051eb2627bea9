#pragma once

#include "commands/type_to_find.h"
#include "core/list_file.h"
#include "core/list_host.h"
#include "core/list_window_geometry.h"
#include "core/shortcut_keys.h"
#include "list_window/dialog_views.h"
#include "list_window/list_window_view.h"
#include "platform/platform.h"

#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivanto {

class EventLoop;

enum class StartOutcome { Resident, AlreadyRunning, NoTray, ListFileFailed };

// The list window: a borderless panel above the tray holding the launcher items. It owns
// the tray icon, the list file, the one sorted list of rows and the open dialogs, and runs
// the program's start-up and shutdown. Its window is a ListWindowView; the commands and the
// dialogs reach it as their ListHost.
class Form1 final : public ListHost {
public:
    // How long start-up waits for a notification area to appear.
    static constexpr int TrayWaitMilliseconds = 5000;

    Form1(Platform& platform, EventLoop& eventLoop, const std::string& folder, ListWindowView& view,
          DialogViews& dialogViews);
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The keys that show and hide the list from anywhere, registered by Form_Load.
    void setShortcut(const ShortcutChoice& choice) { shortcut_ = choice; }

    StartOutcome Form_Load();
    void InitializeList();
    void ConfirmRemoveFromTray();
    void Form_Unload();

    void trayIconEvent(const TrayEvent& event);

    // The global shortcut: shows the list beside the tray icon, with the keyboard in the list
    // and a row selected, or hides it when shown.
    void shortcutPressed();

    // A character typed into the list (one character of the system's text, or one byte of
    // a double-byte character), at the key's time: selects the row it finds.
    void lstApps_KeyPress(std::string_view character, std::chrono::milliseconds now);

    void ShowMenu() override;
    // Beside the panel holding the tray icon, hanging from the host's place for the click
    // when it is believable, else from the icon, the pointer or the panel's edge.
    void ShowListAtCursor(std::optional<ScreenPoint> hostPlace = std::nullopt);
    void HideListWindow() override;
    void GrowListWindow() override;
    void ShrinkListWindow() override;

    // Open the Add Item and Properties dialogs afresh, modeless.
    void ShowAddDialog() override;
    void ShowPropertiesDialog();
    // Closes any open dialog, the About box included, and shows a fresh About box.
    void ShowAboutDialog();

    void CloseOtherDialogs(int dialogNumber) override;
    // The open dialog of a number, or null.
    ListDialog* openDialog(int dialogNumber) const;
    void dialogClosed(ListDialog& dialog) override;

    bool isMinimized() const override { return minimized_; }
    const ListWindowGeometry& listGeometry() const override { return geometry_; }
    void activateListWindow() override;
    // The place of the window and of its list, in pixels, as last given to the view.
    PixelRect windowRect() const;
    PixelRect listRect() const;

    Platform& platform() override { return platform_; }
    ListFile& listFile() override { return listFile_; }
    ListWindowView& view() { return view_; }

    // The rows of `lstApps`, in list order; the view mirrors them.
    const std::vector<std::string>& rows() const override { return rows_; }
    // Adds a row at its sorted place, the selection staying on its row; returns its index.
    int addRow(const std::string& line) override;
    void removeRow(int index) override;
    int selectedIndex() const override { return view_.selectedIndex(); }
    void selectIndex(int index) override { view_.selectIndex(index); }
    void focusList() override { view_.focusList(); }

    MessageAnswer showMessage(const Message& message) override;

private:
    template <class Dialog, class... Arguments>
    Dialog& openFresh(int dialogNumber, Arguments&&... arguments);
    void setMinimized(bool minimized);
    void showBesideTray(std::optional<ScreenPoint> hostPlace, std::optional<ScreenPoint> pointer);
    void applyGeometry();
    void registerShortcut();
    // Where the window stands now: the tray's monitor, beside the panel nearest its anchor.
    ListWindowArea currentArea();

    Platform& platform_;
    EventLoop& eventLoop_;
    ListFile listFile_;
    ListWindowView& view_;
    DialogViews& dialogViews_;
    ListWindowGeometry geometry_;
    ScreenMetrics metricsAtBuild_;
    bool minimized_ = true;
    bool removeQuestionOpen_ = false;
    TrayIconData trayIconData_;
    std::vector<std::string> rows_;
    TypedSearch typedSearch_;
    ShortcutChoice shortcut_;                            // none unless the program sets one
    std::array<std::unique_ptr<ListDialog>, 3> dialogs_; // Add Item, Properties, About
    // Dialogs still open that a newer one of their kind replaced in the registry.
    std::vector<std::unique_ptr<ListDialog>> displaced_;
    std::vector<std::unique_ptr<ListDialog>> closed_;
};

} // namespace quivanto
