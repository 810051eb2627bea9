#include "qt/add_item_window.h"

#include "dialogs/dialog_layout.h"
#include "dialogs/form2.h"
#include "qt/artwork.h"
#include "qt/description_box.h"
#include "qt/drive_list.h"
#include "qt/file_list.h"
#include "qt/folder_list.h"
#include "qt/pixel_rect.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace quivanto {

AddItemWindow::AddItemWindow(Form2& form, const ScreenMetrics& metrics, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , form_(form) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Quivanto - Add Item to List"));
    setWindowIcon(programIcon());
    buildControls(metrics);
}

// Controls going away (the folder list losing the focus) report no more events to a flow
// that is going away too.
AddItemWindow::~AddItemWindow() {
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

void AddItemWindow::buildControls(const ScreenMetrics& screen) {
    setFixedSize(pixelRect(AddItemLayout::Client, screen).size());
    setFont(designFont(QStringLiteral("MS Sans Serif"), 9.75, QFont::SansSerif));
    const QFont listFont = designFont(QStringLiteral("MS Sans Serif"), 8.25, QFont::SansSerif);

    drvList_ = new DriveList(this);
    drvList_->setObjectName(QStringLiteral("drvList"));
    drvList_->setAccessibleName(QStringLiteral("Drives"));
    drvList_->setAccessibleDescription(QStringLiteral("The drive to browse"));
    drvList_->setFont(listFont);
    drvList_->setGeometry(pixelRect(AddItemLayout::Drives, screen));

    dirList_ = new FolderList(this);
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

    connect(drvList_, &DriveList::change, this, [this] { form_.drvList_Change(); });
    connect(dirList_, &FolderList::click, this, [this] { form_.dirList_Click(); });
    connect(dirList_, &FolderList::lostFocus, this, [this] { form_.dirList_LostFocus(); });
    connect(filList_, &FileList::click, this, [this] { form_.filList_Click(); });
    connect(cmdAdd_, &QPushButton::clicked, this, [this] { form_.cmdAdd_Click(); });
    connect(cmdDone_, &QPushButton::clicked, this, [this] { form_.cmdDone_Click(); });
}

void AddItemWindow::setDrives(const std::vector<std::string>& roots) {
    drvList_->setRoots(roots);
}

void AddItemWindow::chooseDrive(int index) {
    drvList_->choose(index);
}

int AddItemWindow::chosenDrive() const {
    return drvList_->currentIndex();
}

void AddItemWindow::setFolders(const std::vector<FolderEntry>& entries) {
    dirList_->setEntries(entries);
}

void AddItemWindow::highlightFolder(int row) {
    dirList_->highlight(row);
}

int AddItemWindow::highlightedFolder() const {
    return dirList_->highlightedRow();
}

void AddItemWindow::setFiles(const std::vector<std::string>& names) {
    filList_->setNames(names);
}

int AddItemWindow::selectedFile() const {
    return filList_->selectedRow();
}

void AddItemWindow::proposeDescription(const std::string& text) {
    txtItemName_->setProposal(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::string AddItemWindow::description() const {
    return txtItemName_->text().toStdString();
}

FrameMargins AddItemWindow::frameMargins() const {
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

bool AddItemWindow::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    const auto type = event->type();
    if ((type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) && isVisible())
        form_.frameMayHaveChanged();
    return handled;
}

void AddItemWindow::closeEvent(QCloseEvent* event) {
    form_.Form_Unload();
    event->accept();
}

} // namespace quivanto
