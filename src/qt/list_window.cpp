#include "qt/list_window.h"

#include "commands/command_strip.h"
#include "commands/key_table.h"
#include "commands/list_commands.h"
#include "core/message.h"
#include "list_window/form1.h"
#include "qt/artwork_label.h"
#include "qt/click_label.h"
#include "qt/item_list_box.h"
#include "qt/picture_button.h"
#include "qt/pixel_rect.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

namespace quivanto {
namespace {

constexpr QColor ListWindowGreen(0, 128, 0);

// The path's own bytes: a name that is not UTF-8 must not come out with replacement
// characters, which would name another file.
std::string localPathBytes(const QUrl& url) {
    if (!url.host().isEmpty())
        return QFile::encodeName(url.toLocalFile()).toStdString();
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
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

} // namespace

int virtualKeyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VirtualKey::Enter;
    case Qt::Key_Space:
        return VirtualKey::Space;
    case Qt::Key_Escape:
        return VirtualKey::Escape;
    case Qt::Key_Insert:
        return VirtualKey::Insert;
    case Qt::Key_Delete:
        return VirtualKey::Delete;
    case Qt::Key_F1:
        return VirtualKey::F1;
    default:
        return 0;
    }
}

DroppedFiles droppedFilesFrom(const QMimeData& data) {
    DroppedFiles dropped;
    const QList<QUrl> urls = data.urls();
    if (urls.isEmpty())
        return dropped;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            return {};
        dropped.paths.push_back(localPathBytes(url));
    }
    dropped.hasFileList = true;
    return dropped;
}

ListWindow::ListWindow(const ScreenMetrics& metrics, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool)
    , metrics_(metrics) {
    setWindowTitle(QString::fromUtf8(ApplicationTitle.data(), ApplicationTitle.size()));
    setObjectName(QStringLiteral("Form1"));
    buildControls();
    connectControls();
}

ListWindow::~ListWindow() = default;

QRect ListWindow::pixelRect(const TwipsRect& rect) const {
    return quivanto::pixelRect(rect, metrics_);
}

void ListWindow::buildControls() {
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
    lstApps_->setRowHeightPixels(twipsToPixels(RowHeight, metrics_.twipsPerPixelY));

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

void ListWindow::connectControls() {
    // Only the double-click: Enter and Space reach the launch through the key table.
    connect(lstApps_, &QListWidget::itemDoubleClicked, this, [this] { lstApps_DblClick(*form_); });
    connect(lstApps_, &ItemListBox::dropped, this, [this](const QMimeData* data) {
        // Handled once the drop is over, so no message box holds the drag source waiting.
        QMetaObject::invokeMethod(
            this, [this, files = droppedFilesFrom(*data)] { lstApps_OLEDragDrop(*form_, files); },
            Qt::QueuedConnection);
    });
    connect(picAdd_, &PictureButton::clicked, this, [this] { form_->ShowAddDialog(); });
    connect(picDelete_, &PictureButton::clicked, this, [this] { RemoveSelectedItem(*form_); });
    connect(picProperties_, &PictureButton::clicked, this,
            [this] { form_->ShowPropertiesDialog(); });
    connect(picHelp_, &PictureButton::clicked, this, [this] { ShowHelp(*form_); });
    connect(picClose_, &PictureButton::clicked, this, [this] { form_->HideListWindow(); });
    connect(lblAbout_, &ClickLabel::clicked, this, [this] { form_->ShowAboutDialog(); });
    lstApps_->installEventFilter(this);
    picHeader_->installEventFilter(this);
}

void ListWindow::keyPressEvent(QKeyEvent* event) {
    // A key a control left unhandled comes up here too: that one is not the window's.
    QWidget* focus = focusWidget();
    if (form_ != nullptr && (focus == nullptr || focus == this))
        DispatchListKey(*form_, virtualKeyCode(event->key()), static_cast<int>(event->modifiers()));
    QWidget::keyPressEvent(event);
}

bool ListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (form_ == nullptr || event->type() != QEvent::KeyPress ||
        (watched != lstApps_ && watched != picHeader_))
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // The banner's own keys only: not those its Hide button passes up, and not Tab, Shift+Tab
    // or the Shift pressed first, which would send the focus to the list before it moves.
    if (watched == picHeader_ && (focusWidget() != picHeader_ || movesFocusOrModifies(key->key())))
        return false;
    DispatchListKey(*form_, virtualKeyCode(key->key()), static_cast<int>(key->modifiers()));
    // The banner passes the keyboard on to the list once a key has been acted on.
    if (watched == picHeader_ && !form_->isMinimized())
        lstApps_->setFocus();
    return false; // the control still handles its key as usual
}

void ListWindow::setRows(const std::vector<std::string>& rows) {
    lstApps_->setLines(rows);
}

void ListWindow::insertRow(int index, const std::string& row) {
    lstApps_->insertLine(index, row);
}

void ListWindow::removeRow(int index) {
    lstApps_->removeLine(index);
}

int ListWindow::selectedIndex() const {
    return lstApps_->selectedIndex();
}

void ListWindow::selectIndex(int index) {
    lstApps_->selectIndex(index);
}

void ListWindow::place(const PixelRect& window, const PixelRect& list) {
    setFixedSize(window.width, window.height);
    move(window.left, window.top);
    lstApps_->setGeometry(list.left, list.top, list.width, list.height);
}

void ListWindow::activate() {
    if (isVisible())
        activateWindow();
}

void ListWindow::focusList() {
    lstApps_->setFocus();
}

WindowHandle ListWindow::nativeHandle() const {
    return static_cast<WindowHandle>(winId());
}

} // namespace quivanto
