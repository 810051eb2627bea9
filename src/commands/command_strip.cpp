#include "commands/command_strip.h"

#include "commands/command_messages.h"
#include "commands/failure_code.h"
#include "commands/key_table.h"
#include "commands/list_commands.h"
#include "core/list_file.h"
#include "core/list_host.h"

namespace quivanto {

void DispatchListKey(ListHost& form, const int& keyCode, int) {
    switch (listKeyAction(keyCode)) {
    case ListKeyAction::Launch:
        lstApps_DblClick(form);
        break;
    case ListKeyAction::Hide:
        form.HideListWindow();
        break;
    case ListKeyAction::Remove:
        RemoveSelectedItem(form);
        break;
    case ListKeyAction::Add:
        form.ShowAddDialog();
        break;
    case ListKeyAction::Help:
        ShowHelp(form);
        break;
    case ListKeyAction::None:
        break;
    }
}

void ShowHelp(ListHost& form) {
    Platform& platform = form.platform();
    const std::string help = form.listFile().besideList(HelpFileName);
    if (!platform.isOrdinaryFile(help)) {
        form.showMessage(helpMissingMessage());
        return;
    }
    if (!platform.openRequest(help).started()) {
        const LaunchResult started = platform.directStart(help, ShowStyle::NormalNoActivate);
        // Nothing could open the help: say so, and keep running.
        if (!started.started())
            form.showMessage(unexpectedErrorMessage(failureCodeFor(started)));
    }
    form.focusList();
}

} // namespace quivanto
