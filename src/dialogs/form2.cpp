#include "dialogs/form2.h"

#include "core/item_line.h"
#include "core/list_file.h"
#include "dialogs/add_item_rules.h"
#include "dialogs/browse_paths.h"
#include "dialogs/folder_listing.h"

#include <algorithm>
#include <filesystem>

namespace quivanto {

Form2::Form2(ListHost& listWindow, AddItemViews& views, const std::string& startFolder)
    : list_(listWindow)
    , separator_(listWindow.platform().pathSeparator())
    , view_(views.makeAddItemView(*this)) {
    roots_ = list_.platform().driveRoots();
    view_->setDrives(roots_);
    view_->chooseDrive(roots_.empty() ? -1 : 0);
    const std::string home = list_.platform().homeFolder();
    for (const std::string& folder : {startFolder, home, std::string(1, separator_)}) {
        if (!folder.empty() && openFolder(folder))
            break;
    }
    // The box starts empty: the folder's proposal only follows a change by the user.
    view_->proposeDescription({});
}

Form2::~Form2() = default;

std::string Form2::workingFolder(Platform& platform) {
    return platform.workingFolder();
}

bool Form2::openFolder(const std::string& folder) {
    auto listing = listFolder(list_.platform(), folder);
    if (!listing) {
        view_->highlightFolder(openRow_);
        return false;
    }
    const std::vector<std::string> chain = folderChain(folder, separator_);
    std::vector<FolderEntry> entries;
    entries.reserve(chain.size() + listing->folders.size());
    int depth = 0;
    for (const auto& ancestor : chain)
        entries.push_back({std::string(lastName(ancestor, separator_)), depth++, true});
    for (const auto& name : listing->folders)
        entries.push_back({name, depth, false});
    view_->setFolders(entries);
    childNames_ = std::move(listing->folders);
    const bool changed = folder != folderPath_;
    folderPath_ = folder;
    openRow_ = static_cast<int>(chain.size()) - 1;
    view_->highlightFolder(openRow_);
    if (changed)
        dirList_Change();
    return true;
}

std::string Form2::folderEntryPath(int row) const {
    if (row < 0)
        return {};
    if (row <= openRow_)
        return folderChain(folderPath_, separator_)[static_cast<std::size_t>(row)];
    const auto child = static_cast<std::size_t>(row - openRow_ - 1);
    return child < childNames_.size() ? childFolder(folderPath_, childNames_[child], separator_)
                                      : std::string{};
}

std::string Form2::highlightedPath() const {
    return folderEntryPath(view_->highlightedFolder());
}

std::string Form2::selectedFileName() const {
    const int row = view_->selectedFile();
    return row >= 0 && static_cast<std::size_t>(row) < files_.size()
               ? files_[static_cast<std::size_t>(row)]
               : std::string{};
}

std::string Form2::chosenDrive() const {
    const int index = view_->chosenDrive();
    return index >= 0 && static_cast<std::size_t>(index) < roots_.size()
               ? roots_[static_cast<std::size_t>(index)]
               : std::string{};
}

void Form2::Form_Load() {
    const ScreenMetrics screen = list_.platform().screenMetrics();
    const FrameMargins frame = view_->frameMargins();
    const float outerWidth =
        AddDialogClientWidth + static_cast<float>(frame.left + frame.right) * screen.twipsPerPixelX;
    const float outerHeight = AddDialogClientHeight +
                              static_cast<float>(frame.top + frame.bottom) * screen.twipsPerPixelY;
    const ListWindowGeometry& listWindow = list_.listGeometry();
    const ScreenPoint anchor{twipsToPixels(listWindow.anchorX, screen.twipsPerPixelX),
                             twipsToPixels(listWindow.anchorY, screen.twipsPerPixelY)};
    const ListWindowArea area = listWindowArea(list_.platform().trayPlace(), anchor,
                                               screen.twipsPerPixelX, screen.twipsPerPixelY);
    const TwipsPoint place = addDialogPosition(listWindow, area, outerWidth, outerHeight);
    view_->moveFrameTo(twipsToPixels(place.left, screen.twipsPerPixelX),
                       twipsToPixels(place.top, screen.twipsPerPixelY));
    placedWithFrame_ = frame;
    placed_ = true;
}

void Form2::frameMayHaveChanged() {
    // The window manager tells the frame's size only once the window is shown: place the
    // dialog again when it becomes known.
    if (!unloaded_ && placed_ && view_->frameMargins() != placedWithFrame_)
        Form_Load();
}

void Form2::showDriveOfFolder() {
    const std::string drive = driveOfFolder(folderPath_, roots_, separator_);
    const auto found = std::find(roots_.begin(), roots_.end(), drive);
    if (!drive.empty() && found != roots_.end() && drive != chosenDrive())
        view_->chooseDrive(static_cast<int>(found - roots_.begin()));
}

void Form2::drvList_Change() {
    const std::string drive = chosenDrive();
    // A drive's current folder is the shown folder while the folder list is on that drive.
    if (drive == driveOfFolder(folderPath_, roots_, separator_))
        return;
    if (!openFolder(drive))
        showDriveOfFolder();
}

void Form2::dirList_Change() {
    const auto listing = listFolder(list_.platform(), folderPath_);
    if (listing) {
        files_ = listing->files;
        view_->setFiles(files_);
    }
    view_->proposeDescription(folderProposal(highlightedPath(), roots_, separator_));
    showDriveOfFolder();
}

void Form2::dirList_Click() {
    // An unreadable folder leaves all three lists where they were. The open folder chosen
    // again is read afresh.
    const std::string before = folderPath_;
    if (openFolder(highlightedPath()) && folderPath_ == before)
        dirList_Change();
}

void Form2::dirList_LostFocus() {
    openFolder(highlightedPath());
}

void Form2::filList_Click() {
    view_->proposeDescription(selectedFileName());
}

void Form2::cmdAdd_Click() {
    const std::string target = joinTarget(highlightedPath(), selectedFileName(), separator_);
    const TextEncoding encoding = list_.platform().textEncoding();
    const std::string description = storedDescription(view_->description(), encoding);
    const std::string line = makeItemLine(description, target, encoding);
    if (containsLineBreak(line)) {
        list_.showMessage(lineBreakInItemMessage());
        return;
    }
    if (list_.isMinimized())
        list_.ShowMenu();

    const AddItemScan scan =
        scanForDuplicate(list_.rows(), target, padDescription(description, encoding), encoding);
    if (scan.match != AddItemScan::Match::None) {
        const std::string& matched = list_.rows()[scan.row];
        list_.showMessage(scan.match == AddItemScan::Match::Target
                              ? duplicateTargetMessage(matched, encoding)
                              : duplicateDescriptionMessage(matched, encoding));
        return;
    }
    try {
        list_.listFile().appendItemLine(line);
    } catch (const ListFileError& error) {
        list_.showMessage(listFileErrorMessage(error.what()));
        return;
    }
    list_.addRow(line);
    list_.GrowListWindow();
}

void Form2::cmdDone_Click() {
    close();
}

void Form2::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    list_.ShowMenu();
    list_.focusList();
    view_->closeWindow();
    list_.dialogClosed(*this);
}

} // namespace quivanto
