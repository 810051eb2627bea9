#include "commands/list_commands.h"

#include "commands/command_messages.h"
#include "commands/failure_code.h"
#include "commands/launch_decision.h"
#include "commands/remove_decision.h"
#include "core/item_line.h"
#include "core/list_file.h"
#include "core/list_host.h"

#include <exception>
#include <vector>

namespace quivanto {
namespace {

// An unexpected failure is told by number; the program goes on with the list unchanged.
// A list file failure also says which file and why, so the user can put it right.
void showUnexpected(ListHost& form, const std::exception& failure) {
    Message message = unexpectedErrorMessage(unexpectedFailureCode(failure));
    if (dynamic_cast<const ListFileError*>(&failure) != nullptr) {
        message.text += LineBreak;
        message.text += LineBreak;
        message.text += failure.what();
    }
    form.showMessage(message);
}

} // namespace

void lstApps_DblClick(ListHost& form) {
    const int selected = form.selectedIndex();
    if (selected < 0 || static_cast<std::size_t>(selected) >= form.rows().size())
        return; // no row, no target: there is nothing to open
    try {
        const std::string line = form.rows()[static_cast<std::size_t>(selected)];
        const TextEncoding encoding = form.platform().textEncoding();
        const LaunchResult result = launchTarget(form.platform(), targetField(line, encoding));
        if (const auto message = launchMessage(result, line, encoding))
            form.showMessage(*message);
        else
            form.HideListWindow();
    } catch (const std::exception& failure) {
        showUnexpected(form, failure);
    }
}

void lstApps_OLEDragDrop(ListHost& form, const DroppedFiles& dropped) {
    try {
        form.CloseOtherDialogs(DialogNumber::None);
        const PathRules rules{form.platform().pathSeparator(),
                              form.platform().namesMayEndWithSpace()};
        const DropDecision decision =
            decideDrop(dropped, form.rows(), rules, form.platform().textEncoding());
        if (decision.showList && form.isMinimized())
            form.ShowMenu();
        if (decision.message)
            form.showMessage(*decision.message);
        if (!decision.itemLine)
            return;
        // Written first: when writing fails, the list does not show a row the file lacks.
        form.listFile().appendItemLine(*decision.itemLine);
        form.addRow(*decision.itemLine);
        form.GrowListWindow();
    } catch (const std::exception& failure) {
        showUnexpected(form, failure);
    }
}

void RemoveSelectedItem(ListHost& form) {
    form.CloseOtherDialogs(DialogNumber::None);
    const int selected = form.selectedIndex();
    switch (checkRemove(static_cast<int>(form.rows().size()), selected)) {
    case RemoveCheck::LastItem:
        form.showMessage(lastItemMessage());
        return;
    case RemoveCheck::NoSelection:
        form.showMessage(noSelectionMessage());
        return;
    case RemoveCheck::Confirm:
        break;
    }
    const std::string line = form.rows()[static_cast<std::size_t>(selected)];
    if (form.showMessage(confirmRemoveMessage(line, form.platform().textEncoding())) ==
        MessageAnswer::Yes) {
        form.removeRow(selected);
        form.ShrinkListWindow();
        form.selectIndex(selectionAfterRemoving(selected));
        DeleteItemLine(form, line);
    }
    form.focusList();
}

void DeleteItemLine(ListHost& form, const std::string& line) {
    try {
        form.listFile().deleteItemLine(line);
    } catch (const ListFileError& failure) {
        // The file still holds the line, so the list shows it again.
        form.selectIndex(form.addRow(line));
        form.GrowListWindow();
        form.showMessage(listFileErrorMessage(failure.what()));
    }
}

} // namespace quivanto
