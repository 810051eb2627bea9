#include "commands/list_commands.h"

#include "commands/command_messages.h"
#include "commands/failure_code.h"
#include "commands/launch_decision.h"
#include "commands/remove_decision.h"
#include "core/form1.h"
#include "core/item_line.h"
#include "core/item_list_box.h"
#include "core/list_file.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

#include <exception>
#include <vector>

namespace quivanto {
namespace {

std::vector<std::string> rowsOf(const ItemListBox& list) {
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i)
        rows.push_back(list.line(i));
    return rows;
}

// An unexpected failure is told by number; the program goes on with the list unchanged.
// A list file failure also says which file and why, so the user can put it right.
void showUnexpected(Form1& form, const std::exception& failure) {
    Message message = unexpectedErrorMessage(unexpectedFailureCode(failure));
    if (dynamic_cast<const ListFileError*>(&failure) != nullptr) {
        message.text += LineBreak;
        message.text += LineBreak;
        message.text += failure.what();
    }
    form.showMessage(message);
}

// The path's own bytes: a name that is not UTF-8 must not come out with replacement
// characters, which would name another file.
std::string localPathBytes(const QUrl& url) {
    if (!url.host().isEmpty())
        return QFile::encodeName(url.toLocalFile()).toStdString();
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

} // namespace

void lstApps_DblClick(Form1& form) {
    const int selected = form.lstApps()->selectedIndex();
    if (selected < 0)
        return; // no row, no target: there is nothing to open
    try {
        const std::string line = form.lstApps()->line(selected);
        const LaunchResult result = launchTarget(form.platform(), targetField(line));
        if (const auto message = launchMessage(result, line))
            form.showMessage(*message);
        else
            form.HideListWindow();
    } catch (const std::exception& failure) {
        showUnexpected(form, failure);
    }
}

void lstApps_OLEDragDrop(Form1& form, const DroppedFiles& dropped) {
    try {
        form.CloseOtherDialogs(DialogNumber::None);
        ItemListBox& list = *form.lstApps();
        const PathRules rules{form.platform().pathSeparator(),
                              form.platform().namesMayEndWithSpace()};
        const DropDecision decision = decideDrop(dropped, rowsOf(list), rules);
        if (decision.showList && form.isMinimized())
            form.ShowMenu();
        if (decision.message)
            form.showMessage(*decision.message);
        if (!decision.itemLine)
            return;
        // Written first: when writing fails, the list does not show a row the file lacks.
        form.listFile().appendItemLine(*decision.itemLine);
        list.addLine(*decision.itemLine);
        form.GrowListWindow();
    } catch (const std::exception& failure) {
        showUnexpected(form, failure);
    }
}

void RemoveSelectedItem(Form1& form) {
    form.CloseOtherDialogs(DialogNumber::None);
    ItemListBox& list = *form.lstApps();
    const int selected = list.selectedIndex();
    switch (checkRemove(list.count(), selected)) {
    case RemoveCheck::LastItem:
        form.showMessage(lastItemMessage());
        return;
    case RemoveCheck::NoSelection:
        form.showMessage(noSelectionMessage());
        return;
    case RemoveCheck::Confirm:
        break;
    }
    const std::string line = list.line(selected);
    if (form.showMessage(confirmRemoveMessage(line)) == MessageAnswer::Yes) {
        list.removeLine(selected);
        form.ShrinkListWindow();
        list.selectIndex(selectionAfterRemoving(selected));
        DeleteItemLine(form, line);
    }
    list.setFocus();
}

void DeleteItemLine(Form1& form, const std::string& line) {
    try {
        form.listFile().deleteItemLine(line);
    } catch (const ListFileError& failure) {
        // The file still holds the line, so the list shows it again.
        ItemListBox& list = *form.lstApps();
        list.selectIndex(list.addLine(line));
        form.GrowListWindow();
        form.showMessage(listFileErrorMessage(failure.what()));
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

} // namespace quivanto
