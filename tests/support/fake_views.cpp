#include "support/fake_views.h"

#include <algorithm>
#include <stdexcept>

namespace quivanto::testing {
namespace {

void checkIndex(int index, std::size_t size, const char* what) {
    if (index < 0 || static_cast<std::size_t>(index) > size)
        throw std::out_of_range(what);
}

} // namespace

void FakeListWindow::setRows(const std::vector<std::string>& newRows) {
    rows = newRows;
    selected = -1;
}

void FakeListWindow::insertRow(int index, const std::string& row) {
    checkIndex(index, rows.size(), "insertRow");
    rows.insert(rows.begin() + index, row);
    if (selected >= index)
        ++selected; // the selection stays on its row
}

void FakeListWindow::removeRow(int index) {
    checkIndex(index, rows.size() - 1, "removeRow");
    rows.erase(rows.begin() + index);
    if (selected == index)
        selected = -1;
    else if (selected > index)
        --selected;
}

void FakeListWindow::selectIndex(int index) {
    selected = index >= 0 && static_cast<std::size_t>(index) < rows.size() ? index : -1;
}

void FakeListWindow::place(const PixelRect& newWindow, const PixelRect& newList) {
    window = newWindow;
    list = newList;
}

void FakeEventLoop::runPending() {
    while (!pending.empty()) {
        auto tasks = std::move(pending);
        pending.clear();
        for (auto& task : tasks)
            task();
    }
}

void FakeAddItemWindow::setDrives(const std::vector<std::string>& roots) {
    drives = roots;
    drive = -1;
}

void FakeAddItemWindow::setFolders(const std::vector<FolderEntry>& entries) {
    folders = entries;
    highlighted = -1;
}

void FakeAddItemWindow::setFiles(const std::vector<std::string>& names) {
    files = names;
    selectedFileRow = -1;
}

void FakeAddItemWindow::moveFrameTo(int left, int top) {
    frameLeft = left;
    frameTop = top;
    ++moves;
}

int FakeAddItemWindow::folderRow(const std::string& name) const {
    const auto found =
        std::find_if(folders.begin(), folders.end(),
                     [&name](const FolderEntry& entry) { return entry.name == name; });
    return found == folders.end() ? -1 : static_cast<int>(found - folders.begin());
}

int FakeAddItemWindow::fileRow(const std::string& name) const {
    const auto found = std::find(files.begin(), files.end(), name);
    return found == files.end() ? -1 : static_cast<int>(found - files.begin());
}

void FakePropertiesWindow::proposeDescription(const std::string& proposal) {
    text = shownAs ? shownAs(proposal) : proposal;
}

std::unique_ptr<AddItemView> FakeDialogViews::makeAddItemView(Form2&) {
    auto view = std::make_unique<FakeAddItemWindow>();
    view->frame = addItemFrame;
    addItem = view.get();
    ++made;
    return view;
}

std::unique_ptr<PropertiesView> FakeDialogViews::makePropertiesView(Form3&) {
    auto view = std::make_unique<FakePropertiesWindow>();
    view->shownAs = propertiesShownAs;
    properties = view.get();
    ++made;
    return view;
}

std::unique_ptr<AboutView> FakeDialogViews::makeAboutView(Form4&) {
    auto view = std::make_unique<FakeAboutWindow>();
    about = view.get();
    ++made;
    return view;
}

} // namespace quivanto::testing
