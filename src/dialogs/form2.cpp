#include "dialogs/form2.h"

#include "core/artwork.h"
#include "core/form1.h"
#include "core/item_line.h"
#include "core/item_list_box.h"
#include "core/pixel_rect.h"
#include "dialogs/add_item_rules.h"
#include "dialogs/browse_paths.h"
#include "dialogs/description_box.h"
#include "dialogs/dialog_layout.h"
#include "dialogs/drive_list.h"
#include "dialogs/file_list.h"
#include "dialogs/folder_list.h"
#include "dialogs/list_rows.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <filesystem>

namespace quivanto {
namespace {

QString fromBytes(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

Form2::Form2(Form1& listWindow, const std::string& startFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , list_(listWindow)
    , separator_(listWindow.platform().pathSeparator()) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Quivanto - Add Item to List"));
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    openStartFolder(startFolder);
}

std::string Form2::workingFolder() {
    std::error_code error;
    const auto folder = std::filesystem::current_path(error);
    return error ? std::string{} : folder.string();
}

void Form2::buildControls() {
    const ScreenMetrics screen = list_.platform().screenMetrics();
    setFixedSize(pixelRect(AddItemLayout::Client, screen).size());
    setFont(designFont(QStringLiteral("MS Sans Serif"), 9.75, QFont::SansSerif));
    const QFont listFont = designFont(QStringLiteral("MS Sans Serif"), 8.25, QFont::SansSerif);

    drvList_ = new DriveList(this);
    drvList_->setObjectName(QStringLiteral("drvList"));
    drvList_->setAccessibleName(QStringLiteral("Drives"));
    drvList_->setAccessibleDescription(QStringLiteral("The drive to browse"));
    drvList_->setFont(listFont);
    drvList_->setGeometry(pixelRect(AddItemLayout::Drives, screen));
    drvList_->setRoots(DriveList::mountedRoots());

    dirList_ = new FolderList(separator_, this);
    dirList_->setObjectName(QStringLiteral("dirList"));
    dirList_->setAccessibleName(QStringLiteral("Folders"));
    dirList_->setAccessibleDescription(
        QStringLiteral("The folder to browse; a double-click opens it"));
    dirList_->setFont(listFont);
    dirList_->setGeometry(pixelRect(AddItemLayout::Folders, screen));

    filList_ = new FileList(this);
    filList_->setObjectName(QStringLiteral("filList"));
    filList_->setAccessibleName(QStringLiteral("Files"));
    filList_->setAccessibleDescription(
        QStringLiteral("The file to add; its name becomes the description"));
    filList_->setFont(listFont);
    filList_->setGeometry(pixelRect(AddItemLayout::Files, screen));

    lblItemName_ = new QLabel(QStringLiteral("Description:"), this);
    lblItemName_->setObjectName(QStringLiteral("lblItemName"));
    lblItemName_->setFont(designFont(QStringLiteral("Verdana"), 9.75, QFont::SansSerif, true));
    lblItemName_->setGeometry(pixelRect(AddItemLayout::DescriptionLabel, screen));

    txtItemName_ = new DescriptionBox(DescriptionTypingLimit, this);
    txtItemName_->setObjectName(QStringLiteral("txtItemName"));
    txtItemName_->setAccessibleName(QStringLiteral("Description"));
    txtItemName_->setAccessibleDescription(
        QStringLiteral("The new item's description, up to 30 characters"));
    txtItemName_->setFont(designFont(QStringLiteral("Courier"), 9.75, QFont::TypeWriter));
    txtItemName_->setGeometry(pixelRect(AddItemLayout::Description, screen));
    lblItemName_->setBuddy(txtItemName_);

    cmdAdd_ = new QPushButton(QStringLiteral("&Add"), this);
    cmdAdd_->setObjectName(QStringLiteral("cmdAdd"));
    cmdAdd_->setAccessibleName(QStringLiteral("Add"));
    cmdAdd_->setAccessibleDescription(
        QStringLiteral("Adds the chosen file, or the folder, to the list with this description"));
    cmdAdd_->setGeometry(pixelRect(AddItemLayout::Add, screen));

    cmdDone_ = new QPushButton(QStringLiteral("&Close"), this);
    cmdDone_->setObjectName(QStringLiteral("cmdDone"));
    cmdDone_->setAccessibleName(QStringLiteral("Close"));
    cmdDone_->setAccessibleDescription(QStringLiteral("Closes this dialog"));
    cmdDone_->setGeometry(pixelRect(AddItemLayout::Close, screen));

    setTabOrder(drvList_, dirList_);
    setTabOrder(dirList_, filList_);
    setTabOrder(filList_, txtItemName_);
    setTabOrder(txtItemName_, cmdAdd_);
    setTabOrder(cmdAdd_, cmdDone_);

    connect(drvList_, &DriveList::change, this, &Form2::drvList_Change);
    connect(dirList_, &FolderList::change, this, &Form2::dirList_Change);
    connect(dirList_, &FolderList::click, this, &Form2::dirList_Click);
    connect(dirList_, &FolderList::lostFocus, this, &Form2::dirList_LostFocus);
    connect(filList_, &FileList::click, this, &Form2::filList_Click);
    connect(cmdAdd_, &QPushButton::clicked, this, &Form2::cmdAdd_Click);
    connect(cmdDone_, &QPushButton::clicked, this, &Form2::cmdDone_Click);
}

void Form2::openStartFolder(const std::string& startFolder) {
    const std::string home = QFile::encodeName(QDir::homePath()).toStdString();
    for (const std::string& folder : {startFolder, home, std::string(1, separator_)}) {
        if (!folder.empty() && dirList_->setPath(folder))
            break;
    }
    // The box starts empty: the folder's proposal only follows a change by the user.
    txtItemName_->clear();
}

QMargins Form2::frameMargins() const {
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void Form2::Form_Load() {
    const ScreenMetrics screen = list_.platform().screenMetrics();
    const QMargins frame = frameMargins();
    const float outerWidth =
        AddDialogClientWidth +
        static_cast<float>(frame.left() + frame.right()) * screen.twipsPerPixelX;
    const float outerHeight =
        AddDialogClientHeight +
        static_cast<float>(frame.top() + frame.bottom()) * screen.twipsPerPixelY;
    const TwipsPoint place =
        addDialogPosition(list_.listGeometry().left, screen.heightTwips, outerWidth, outerHeight);
    // move() places the outer frame, as the figures above mean.
    move(twipsToPixels(place.left, screen.twipsPerPixelX),
         twipsToPixels(place.top, screen.twipsPerPixelY));
    placedWithFrame_ = frame;
}

bool Form2::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The window manager tells the frame's size only once the window is shown: place the
    // dialog again when it becomes known.
    const auto type = event->type();
    if ((type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) && isVisible() &&
        frameMargins() != placedWithFrame_)
        Form_Load();
    return handled;
}

void Form2::showDriveOfFolder() {
    const std::string drive = driveOfFolder(dirList_->path(), drvList_->roots(), separator_);
    if (!drive.empty() && drive != drvList_->drive())
        drvList_->setDrive(drive, false);
}

void Form2::drvList_Change() {
    const std::string drive = drvList_->drive();
    // A drive's current folder is the shown folder while the folder list is on that drive.
    if (drive == driveOfFolder(dirList_->path(), drvList_->roots(), separator_))
        return;
    if (!dirList_->setPath(drive))
        drvList_->setDrive(driveOfFolder(dirList_->path(), drvList_->roots(), separator_));
}

void Form2::dirList_Change() {
    filList_->setFolder(dirList_->path());
    txtItemName_->setProposal(
        fromBytes(folderProposal(dirList_->highlightedPath(), drvList_->roots(), separator_)));
    showDriveOfFolder();
}

void Form2::dirList_Click() {
    // An unreadable folder leaves all three lists where they were.
    if (dirList_->setPath(dirList_->highlightedPath()))
        dirList_Change();
}

void Form2::dirList_LostFocus() {
    dirList_->setPath(dirList_->highlightedPath());
}

void Form2::filList_Click() {
    txtItemName_->setProposal(fromBytes(filList_->selectedName()));
}

void Form2::cmdAdd_Click() {
    const std::string target =
        joinTarget(dirList_->highlightedPath(), filList_->selectedName(), separator_);
    const std::string description = storedDescription(txtItemName_->text().toStdString());
    const std::string line = makeItemLine(description, target);
    if (containsLineBreak(line)) {
        list_.showMessage(lineBreakInItemMessage());
        return;
    }
    if (list_.isMinimized())
        list_.ShowMenu();

    ItemListBox& rows = *list_.lstApps();
    const AddItemScan scan = scanForDuplicate(rowsOf(rows), target, padDescription(description));
    if (scan.match != AddItemScan::Match::None) {
        const std::string matched = rows.line(static_cast<int>(scan.row));
        list_.showMessage(scan.match == AddItemScan::Match::Target
                              ? duplicateTargetMessage(matched)
                              : duplicateDescriptionMessage(matched));
        return;
    }
    try {
        list_.listFile().appendItemLine(line);
    } catch (const ListFileError& error) {
        list_.showMessage(listFileErrorMessage(error.what()));
        return;
    }
    rows.addLine(line);
    list_.GrowListWindow();
}

void Form2::cmdDone_Click() {
    close();
}

void Form2::Form_Unload() {
    list_.ShowMenu();
    list_.lstApps()->setFocus();
}

void Form2::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

} // namespace quivanto
