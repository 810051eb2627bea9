#include "core/form1.h"

#include "about/form4.h"
#include "commands/command_messages.h"
#include "commands/command_strip.h"
#include "commands/list_commands.h"
#include "core/artwork_label.h"
#include "core/click_label.h"
#include "core/focus_label.h"
#include "core/item_list_box.h"
#include "core/message.h"
#include "core/picture_button.h"
#include "core/pixel_rect.h"
#include "core/tray_policy.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "dialogs/properties_rules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>

namespace quivanto {
namespace {

constexpr QColor ListWindowGreen(0, 128, 0);

std::size_t dialogSlot(int dialogNumber) {
    return static_cast<std::size_t>(dialogNumber - DialogNumber::AddItem);
}

// Keys that move the focus, and the modifiers pressed ahead of a key.
bool movesFocusOrModifies(int key) {
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

bool isDialogNumber(int dialogNumber) {
    return dialogNumber >= DialogNumber::AddItem && dialogNumber <= DialogNumber::About;
}

} // namespace

Form1::Form1(Platform& platform, const std::filesystem::path& folder, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool)
    , platform_(platform)
    , listFile_(folder, platform)
    , metricsAtBuild_(platform.screenMetrics()) {
    setWindowTitle(QString::fromUtf8(ApplicationTitle.data(), ApplicationTitle.size()));
    setObjectName(QStringLiteral("Form1"));
    trayIconData_.tip = std::string(ApplicationTitle);
    buildControls();
    connectListCommands();
    connectCommandStrip();
    applyGeometry();
}

Form1::~Form1() = default;

QRect Form1::pixelRect(const TwipsRect& rect) const {
    return quivanto::pixelRect(rect, metricsAtBuild_);
}

void Form1::buildControls() {
    QPalette green = palette();
    green.setColor(QPalette::Window, ListWindowGreen);
    green.setColor(QPalette::Base, ListWindowGreen);
    green.setColor(QPalette::Text, Qt::white);
    green.setColor(QPalette::WindowText, Qt::white);
    setPalette(green);
    setAutoFillBackground(true);

    picHeader_ = new ArtworkLabel(QStringLiteral("banner"), this);
    picHeader_->setObjectName(QStringLiteral("picHeader"));
    picHeader_->setGeometry(pixelRect(ListWindowLayout::Header));
    picHeader_->setFocusPolicy(Qt::TabFocus);
    picHeader_->setAccessibleName(QStringLiteral("Quivanto"));
    picHeader_->setAccessibleDescription(QStringLiteral("The list window's banner"));

    lblAbout_ = new ClickLabel(picHeader_);
    lblAbout_->setObjectName(QStringLiteral("lblAbout"));
    lblAbout_->setGeometry(pixelRect(ListWindowLayout::About));
    lblAbout_->setToolTip(QStringLiteral("Click here for more information about the Quivanto"));
    lblAbout_->setAccessibleName(QStringLiteral("About Quivanto"));
    lblAbout_->setAccessibleDescription(QStringLiteral("Opens the About box"));
    lblAbout_->setCursor(Qt::PointingHandCursor);

    picClose_ = new PictureButton(QStringLiteral("hide"), QStringLiteral("Hide"), picHeader_);
    picClose_->setObjectName(QStringLiteral("picClose"));
    picClose_->setGeometry(pixelRect(ListWindowLayout::Close));
    picClose_->setAccessibleDescription(QStringLiteral("Hides the list window (Escape)"));

    const auto makeButton = [this](const char* name, const char* art, const char* tip,
                                   const TwipsRect& rect) {
        auto* button = new PictureButton(QLatin1String(art), QLatin1String(tip), this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(pixelRect(rect));
        return button;
    };
    picAdd_ = makeButton("picAdd", "add", "Add", ListWindowLayout::Add);
    picDelete_ = makeButton("picDelete", "delete", "Delete", ListWindowLayout::Delete);
    picProperties_ =
        makeButton("picProperties", "properties", "Properties", ListWindowLayout::Properties);
    picHelp_ = makeButton("picHelp", "help", "Help", ListWindowLayout::Help);
    picAdd_->setAccessibleDescription(QStringLiteral("Opens the Add Item dialog (Insert)"));
    picDelete_->setAccessibleDescription(
        QStringLiteral("Removes the selected item from the list (Delete)"));
    picProperties_->setAccessibleDescription(
        QStringLiteral("Shows the selected item and lets you change its description"));
    picHelp_->setAccessibleDescription(QStringLiteral("Opens the help document (F1)"));

    lstApps_ = new ItemListBox(this);
    lstApps_->setObjectName(QStringLiteral("lstApps"));
    lstApps_->setAccessibleName(QStringLiteral("Quivanto list"));
    lstApps_->setAccessibleDescription(
        QStringLiteral("Your items: Enter, Space or a double-click opens the selected one; "
                       "drop a file or folder here to add it"));
    lstApps_->setDescriptionFont(designFont(QStringLiteral("Courier"), 9.75, QFont::TypeWriter));
    lstApps_->setFrameShape(QFrame::NoFrame);
    lstApps_->setPalette(green);
    lstApps_->setRowHeightPixels(twipsToPixels(RowHeight, metricsAtBuild_.twipsPerPixelY));

    // Tab order: the list, then Properties, Delete, Add, Help, the banner and Hide.
    setTabOrder(lstApps_, picProperties_);
    setTabOrder(picProperties_, picDelete_);
    setTabOrder(picDelete_, picAdd_);
    setTabOrder(picAdd_, picHelp_);
    setTabOrder(picHelp_, picHeader_);
    setTabOrder(picHeader_, picClose_);
    // First in the tab order, so the list has the focus when the window first shows.
    lstApps_->setFocus();
}

void Form1::connectListCommands() {
    // Only the double-click: Enter and Space reach the launch through the key table.
    connect(lstApps_, &QListWidget::itemDoubleClicked, this, [this] { lstApps_DblClick(*this); });
    connect(lstApps_, &ItemListBox::dropped, this, [this](const QMimeData* data) {
        // Handled once the drop is over, so no message box holds the drag source waiting.
        QMetaObject::invokeMethod(
            this, [this, files = droppedFilesFrom(*data)] { lstApps_OLEDragDrop(*this, files); },
            Qt::QueuedConnection);
    });
}

void Form1::connectCommandStrip() {
    connect(picAdd_, &PictureButton::clicked, this, &Form1::ShowAddDialog);
    connect(picDelete_, &PictureButton::clicked, this, [this] { RemoveSelectedItem(*this); });
    connect(picProperties_, &PictureButton::clicked, this, &Form1::ShowPropertiesDialog);
    connect(picHelp_, &PictureButton::clicked, this, [this] { ShowHelp(*this); });
    connect(picClose_, &PictureButton::clicked, this, &Form1::HideListWindow);
    connect(lblAbout_, &ClickLabel::clicked, this, &Form1::ShowAboutDialog);
    lstApps_->installEventFilter(this);
    picHeader_->installEventFilter(this);
}

void Form1::keyPressEvent(QKeyEvent* event) {
    // A key a control left unhandled comes up here too: that one is not the window's.
    QWidget* focus = focusWidget();
    if (focus == nullptr || focus == this)
        DispatchListKey(*this, virtualKeyCode(event->key()), event->modifiers());
    QWidget::keyPressEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || (watched != lstApps_ && watched != picHeader_))
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // The banner's own keys only: not those its Hide button passes up, and not Tab, Shift+Tab
    // or the Shift pressed first, which would send the focus to the list before it moves.
    if (watched == picHeader_ && (focusWidget() != picHeader_ || movesFocusOrModifies(key->key())))
        return false;
    DispatchListKey(*this, virtualKeyCode(key->key()), key->modifiers());
    if (watched == picHeader_ && !minimized_)
        lstApps_->setFocus();
    return false; // the control still handles its key as usual
}

void Form1::applyGeometry() {
    const float tppX = metricsAtBuild_.twipsPerPixelX;
    const float tppY = metricsAtBuild_.twipsPerPixelY;
    setFixedSize(twipsToPixels(geometry_.width, tppX), twipsToPixels(geometry_.height, tppY));
    move(twipsToPixels(geometry_.left, tppX), twipsToPixels(geometry_.top, tppY));
    TwipsRect list = ListWindowLayout::List;
    list.height = geometry_.listHeight;
    lstApps_->setGeometry(pixelRect(list));
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
    platform_.addTrayIcon(trayIconData_, [this](int code, std::optional<int> clickX) {
        trayIconEvent(code, clickX);
    });
    try {
        InitializeList();
    } catch (const ListFileError& error) {
        showMessage(listFileErrorMessage(error.what()));
        Form_Unload();
        return StartOutcome::ListFileFailed;
    }
    lstApps_->selectIndex(0);
    return StartOutcome::Resident;
}

void Form1::InitializeList() {
    listFile_.ensureExists();
    const ScreenMetrics screen = platform_.screenMetrics();
    // The window is filled beyond the screen's corner and never shown while it fills.
    geometry_ = offScreen(geometry_, screen);
    auto lines = listFile_.readLines();
    const std::size_t rows = lines.size();
    lstApps_->setLines(std::move(lines));
    geometry_ = grownForRows(geometry_, screen, rows);
    applyGeometry();
    HideListWindow();
}

void Form1::trayIconEvent(int code, std::optional<int> clickX) {
    switch (trayActionForCode(code)) {
    case TrayAction::ToggleListWindow:
        if (minimized_)
            ShowListAtCursor(clickX);
        else
            HideListWindow();
        break;
    case TrayAction::ConfirmRemoveFromTray:
        ConfirmRemoveFromTray();
        break;
    case TrayAction::None:
        break;
    }
}

void Form1::setMinimized(bool minimized) {
    minimized_ = minimized;
    if (minimized_)
        hide(); // a minimized list window is never left on screen
}

void Form1::ShowMenu() {
    setMinimized(false);
    show();
    platform_.setForegroundWindow(winId());
}

void Form1::ShowListAtCursor(std::optional<int> clickX) {
    // Placed before it is shown, so it never flashes at its old place. Where the tray host
    // tells where its icon was clicked, that is right even when the pointer is not (an X
    // pointer over a Wayland panel is stale).
    const int x = clickX ? *clickX : platform_.cursorPosition().x;
    geometry_ = atCursor(geometry_, platform_.screenMetrics(), x);
    applyGeometry();
    ShowMenu();
}

void Form1::HideListWindow() {
    CloseOtherDialogs(DialogNumber::None);
    if (!minimized_)
        lstApps_->setFocus();
    setMinimized(true);
    platform_.setForegroundWindow(winId());
}

void Form1::GrowListWindow() {
    geometry_ = grown(geometry_, platform_.screenMetrics());
    applyGeometry();
}

void Form1::ShrinkListWindow() {
    geometry_ = shrunk(geometry_, platform_.screenMetrics());
    applyGeometry();
}

void Form1::ConfirmRemoveFromTray() {
    ShowMenu();
    lstApps_->setFocus();
    HideListWindow();
    if (showMessage(confirmRemoveFromTrayMessage()) != MessageAnswer::Yes)
        return;
    CloseOtherDialogs(DialogNumber::None);
    Form_Unload();
    emit unloaded();
}

void Form1::Form_Unload() {
    platform_.deleteTrayIcon(trayIconData_);
}

void Form1::registerDialog(int dialogNumber, QWidget* dialog) {
    if (isDialogNumber(dialogNumber))
        dialogs_[dialogSlot(dialogNumber)] = dialog;
}

QWidget* Form1::openDialog(int dialogNumber) const {
    return isDialogNumber(dialogNumber) ? dialogs_[dialogSlot(dialogNumber)].data() : nullptr;
}

void Form1::ShowAboutDialog() {
    CloseOtherDialogs(DialogNumber::None);
    auto* about = new Form4(*this); // deletes itself when closed
    registerDialog(DialogNumber::About, about);
    about->show();
    about->activateWindow();
}

void Form1::CloseOtherDialogs(int dialogNumber) {
    for (int number = DialogNumber::AddItem; number <= DialogNumber::About; ++number) {
        QWidget* dialog = openDialog(number);
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
    auto* dialog = new Form2(*this, Form2::workingFolder(), this);
    registerDialog(DialogNumber::AddItem, dialog);
    dialog->Form_Load();
    dialog->show();
}

void Form1::ShowPropertiesDialog() {
    CloseOtherDialogs(DialogNumber::None);
    // Without a selected row there is no item to show, and an update could only harm.
    if (lstApps_->selectedIndex() < 0) {
        showMessage(noSelectionMessage());
        lstApps_->setFocus();
        return;
    }
    auto* dialog = new Form3(*this, this);
    registerDialog(DialogNumber::Properties, dialog);
    dialog->Form_Load();
    dialog->show();
}

} // namespace quivanto
