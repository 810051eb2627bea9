#include "list_window/form1.h"

#include "about/form4.h"
#include "commands/command_messages.h"
#include "core/event_loop.h"
#include "core/message.h"
#include "core/row_order.h"
#include "core/tray_policy.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"

#include <algorithm>

namespace quivanto {
namespace {

std::size_t dialogSlot(int dialogNumber) {
    return static_cast<std::size_t>(dialogNumber - DialogNumber::AddItem);
}

bool isDialogNumber(int dialogNumber) {
    return dialogNumber >= DialogNumber::AddItem && dialogNumber <= DialogNumber::About;
}

PixelRect pixels(const TwipsRect& rect, const ScreenMetrics& screen) {
    return {twipsToPixels(rect.left, screen.twipsPerPixelX),
            twipsToPixels(rect.top, screen.twipsPerPixelY),
            twipsToPixels(rect.width, screen.twipsPerPixelX),
            twipsToPixels(rect.height, screen.twipsPerPixelY)};
}

} // namespace

Form1::Form1(Platform& platform, EventLoop& eventLoop, const std::string& folder,
             ListWindowView& view, DialogViews& dialogViews)
    : platform_(platform)
    , eventLoop_(eventLoop)
    , listFile_(folder, platform)
    , view_(view)
    , dialogViews_(dialogViews)
    , metricsAtBuild_(platform.screenMetrics()) {
    trayIconData_.tip = std::string(ApplicationTitle);
    applyGeometry();
}

// The dialogs go first: closing one may still reach the list window.
Form1::~Form1() {
    closed_.clear();
    displaced_.clear();
    for (auto& dialog : dialogs_)
        dialog.reset();
}

PixelRect Form1::windowRect() const {
    const float tppX = metricsAtBuild_.twipsPerPixelX;
    const float tppY = metricsAtBuild_.twipsPerPixelY;
    return {twipsToPixels(geometry_.left, tppX), twipsToPixels(geometry_.top, tppY),
            twipsToPixels(geometry_.width, tppX), twipsToPixels(geometry_.height, tppY)};
}

PixelRect Form1::listRect() const {
    TwipsRect list = ListWindowLayout::List;
    list.height = geometry_.listHeight;
    return pixels(list, metricsAtBuild_);
}

void Form1::applyGeometry() {
    view_.place(windowRect(), listRect());
}

int Form1::addRow(const std::string& line) {
    const auto place = std::upper_bound(rows_.begin(), rows_.end(), line, rowLess);
    const int index = static_cast<int>(place - rows_.begin());
    rows_.insert(place, line);
    view_.insertRow(index, line);
    return index;
}

void Form1::removeRow(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= rows_.size())
        return;
    rows_.erase(rows_.begin() + index);
    view_.removeRow(index);
}

MessageAnswer Form1::showMessage(const Message& message) {
    return platform_.messageBox(message.text, message.title, message.style);
}

StartOutcome Form1::Form_Load() {
    if (platform_.previousInstanceRunning()) {
        showMessage(alreadyRunningMessage());
        return StartOutcome::AlreadyRunning;
    }
    // Trays often start after the programs a session starts: give one time to appear.
    if (!platform_.waitForTray(TrayWaitMilliseconds)) {
        showMessage(noTrayMessage());
        return StartOutcome::NoTray;
    }
    platform_.addTrayIcon(trayIconData_, [this](const TrayEvent& event) { trayIconEvent(event); });
    try {
        InitializeList();
    } catch (const ListFileError& error) {
        showMessage(listFileErrorMessage(error.what()));
        Form_Unload();
        return StartOutcome::ListFileFailed;
    }
    selectIndex(0);
    registerShortcut();
    return StartOutcome::Resident;
}

void Form1::registerShortcut() {
    if (!shortcut_.unknownKeys.empty())
        showMessage(unknownShortcutMessage(shortcut_.unknownKeys));
    if (!shortcut_.keys)
        return;
    // Where the session offers none the README says so; a message at every start would not
    // help.
    const auto result =
        platform_.registerGlobalShortcut(*shortcut_.keys, [this] { shortcutPressed(); });
    if (result == ShortcutResult::Taken)
        showMessage(
            shortcutTakenMessage(shortcutKeysText(*shortcut_.keys, platform_.superKeyName())));
}

void Form1::InitializeList() {
    listFile_.ensureExists();
    const ListWindowArea area = currentArea();
    // The window is filled beyond the screen's corner and never shown while it fills.
    geometry_ = offScreen(geometry_, area);
    rows_ = listFile_.readLines();
    sortRows(rows_);
    view_.setRows(rows_);
    geometry_ = grownForRows(geometry_, area, rows_.size());
    applyGeometry();
    HideListWindow();
}

void Form1::trayIconEvent(const TrayEvent& event) {
    switch (trayActionFor(event)) {
    case TrayAction::ToggleListWindow:
        if (minimized_)
            ShowListAtCursor(event.place);
        else
            HideListWindow();
        break;
    case TrayAction::ShowListForKeyboard:
        if (minimized_)
            ShowListAtCursor(event.place);
        view_.activate();
        view_.focusList();
        break;
    case TrayAction::ConfirmRemoveFromTray:
        ConfirmRemoveFromTray();
        break;
    case TrayAction::None:
        break;
    }
}

void Form1::shortcutPressed() {
    if (!minimized_) {
        HideListWindow();
        return;
    }
    // No click: the pointer may be anywhere, so the list stands beside the tray icon, or at
    // the panel's end where the icon's place is unknown.
    showBesideTray(std::nullopt, std::nullopt);
    activateListWindow();
    focusList();
    if (selectedIndex() < 0 && !rows_.empty())
        selectIndex(0);
}

void Form1::lstApps_KeyPress(std::string_view character, std::chrono::milliseconds now) {
    quivanto::lstApps_KeyPress(*this, typedSearch_, character, now);
}

ListWindowArea Form1::currentArea() {
    const ScreenPoint anchor{twipsToPixels(geometry_.anchorX, metricsAtBuild_.twipsPerPixelX),
                             twipsToPixels(geometry_.anchorY, metricsAtBuild_.twipsPerPixelY)};
    return listWindowArea(platform_.trayPlace(), anchor, metricsAtBuild_.twipsPerPixelX,
                          metricsAtBuild_.twipsPerPixelY);
}

void Form1::setMinimized(bool minimized) {
    minimized_ = minimized;
    if (minimized_)
        view_.hideWindow(); // a minimized list window is never left on screen
}

void Form1::ShowMenu() {
    setMinimized(false);
    view_.showWindow();
    platform_.setForegroundWindow(view_.nativeHandle());
}

void Form1::ShowListAtCursor(std::optional<ScreenPoint> hostPlace) {
    const CursorPosition cursor = platform_.cursorPosition();
    showBesideTray(hostPlace, ScreenPoint{cursor.x, cursor.y});
}

void Form1::showBesideTray(std::optional<ScreenPoint> hostPlace,
                           std::optional<ScreenPoint> pointer) {
    // Placed before it is shown, so it never flashes at its old place. A tray host's place
    // for the click is right even where the pointer is not (an X pointer over a Wayland
    // panel is stale), when it is believable at all.
    const TrayPlace place = platform_.trayPlace();
    const ScreenPoint anchor = trayAnchor(place, hostPlace, pointer);
    const float tppX = metricsAtBuild_.twipsPerPixelX;
    const float tppY = metricsAtBuild_.twipsPerPixelY;
    geometry_ =
        besidePanel(geometry_, listWindowArea(place, anchor, tppX, tppY),
                    static_cast<float>(anchor.x) * tppX, static_cast<float>(anchor.y) * tppY);
    applyGeometry();
    ShowMenu();
}

void Form1::activateListWindow() {
    view_.activate();
}

void Form1::HideListWindow() {
    CloseOtherDialogs(DialogNumber::None);
    if (!minimized_)
        view_.focusList();
    setMinimized(true);
    platform_.setForegroundWindow(view_.nativeHandle());
}

void Form1::GrowListWindow() {
    geometry_ = grown(geometry_, currentArea());
    applyGeometry();
}

void Form1::ShrinkListWindow() {
    geometry_ = shrunk(geometry_, currentArea());
    applyGeometry();
}

void Form1::ConfirmRemoveFromTray() {
    // A tray host delivers further right clicks and menu picks while the question waits:
    // one question is enough.
    if (removeQuestionOpen_)
        return;
    ShowMenu();
    view_.focusList();
    HideListWindow();
    removeQuestionOpen_ = true;
    const MessageAnswer answer = showMessage(confirmRemoveFromTrayMessage());
    removeQuestionOpen_ = false;
    if (answer != MessageAnswer::Yes)
        return;
    CloseOtherDialogs(DialogNumber::None);
    Form_Unload();
    eventLoop_.programEnds();
}

void Form1::Form_Unload() {
    platform_.deleteTrayIcon(trayIconData_);
}

ListDialog* Form1::openDialog(int dialogNumber) const {
    return isDialogNumber(dialogNumber) ? dialogs_[dialogSlot(dialogNumber)].get() : nullptr;
}

void Form1::dialogClosed(ListDialog& dialog) {
    const auto retire = [this](std::unique_ptr<ListDialog>& held) {
        closed_.push_back(std::move(held));
        if (closed_.size() == 1)
            eventLoop_.runLater([this] { closed_.clear(); });
    };
    for (auto& held : dialogs_) {
        if (held.get() == &dialog) {
            retire(held);
            return;
        }
    }
    const auto found = std::find_if(displaced_.begin(), displaced_.end(),
                                    [&dialog](const auto& held) { return held.get() == &dialog; });
    if (found != displaced_.end()) {
        retire(*found);
        displaced_.erase(found);
    }
}

template <class Dialog, class... Arguments>
Dialog& Form1::openFresh(int dialogNumber, Arguments&&... arguments) {
    auto& slot = dialogs_[dialogSlot(dialogNumber)];
    // One left open (a minimized one) stays on screen until it is closed itself.
    if (slot)
        displaced_.push_back(std::move(slot));
    auto dialog =
        std::make_unique<Dialog>(*this, dialogViews_, std::forward<Arguments>(arguments)...);
    Dialog& opened = *dialog;
    slot = std::move(dialog);
    return opened;
}

void Form1::ShowAboutDialog() {
    CloseOtherDialogs(DialogNumber::None);
    Form4& about = openFresh<Form4>(DialogNumber::About);
    about.view().showWindow();
    about.view().activate();
}

void Form1::CloseOtherDialogs(int dialogNumber) {
    for (int number = DialogNumber::AddItem; number <= DialogNumber::About; ++number) {
        ListDialog* dialog = openDialog(number);
        // A minimised one too: window managers minimise dialogs whatever their hints say,
        // and one left open would stand beside a fresh one of its kind, or come back
        // while the list is hidden.
        if (dialog == nullptr || number == dialogNumber)
            continue;
        dialog->close(); // runs the dialog's own closing behaviour
    }
}

void Form1::ShowAddDialog() {
    CloseOtherDialogs(DialogNumber::None);
    Form2& dialog = openFresh<Form2>(DialogNumber::AddItem, Form2::workingFolder(platform_));
    dialog.Form_Load();
    dialog.view().showWindow();
}

void Form1::ShowPropertiesDialog() {
    CloseOtherDialogs(DialogNumber::None);
    // Without a selected row there is no item to show, and an update could only harm.
    if (selectedIndex() < 0) {
        showMessage(noSelectionMessage());
        focusList();
        return;
    }
    Form3& dialog = openFresh<Form3>(DialogNumber::Properties);
    dialog.Form_Load();
    dialog.view().showWindow();
}

} // namespace quivanto
