#include "win32/program.h"

#include "core/message.h"
#include "list_window/form1.h"
#include "win32/dialog_windows.h"
#include "win32/list_window.h"
#include "win32/message_loop.h"

#include <exception>

namespace quivanto::win32 {
namespace {

int startAndRun(Platform& platform, HINSTANCE instance, const std::string& folder,
                const ShortcutChoice& shortcut) {
    ListWindow listWindow(instance, platform.screenMetrics(), platform.textEncoding());
    DialogWindows dialogViews(platform, [&listWindow] { return listWindow.window(); });
    MessageLoop loop(instance);
    Form1 form(platform, loop, folder, listWindow, dialogViews);
    listWindow.attach(form);
    form.setShortcut(shortcut);
    if (form.Form_Load() != StartOutcome::Resident)
        return 1;
    return loop.run();
}

} // namespace

int runProgram(Platform& platform, HINSTANCE instance, const std::string& folder,
               const ShortcutChoice& shortcut) {
    try {
        return startAndRun(platform, instance, folder, shortcut);
    } catch (const std::exception& error) {
        const Message message = windowFailureMessage(error.what());
        platform.messageBox(message.text, message.title, message.style);
        return 2;
    }
}

} // namespace quivanto::win32
