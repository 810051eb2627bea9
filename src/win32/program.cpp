#include "win32/program.h"

#include "core/message.h"
#include "list_window/form1.h"
#include "win32/dialog_windows.h"
#include "win32/list_window.h"
#include "win32/message_loop.h"

#include <exception>

namespace quivanto::win32 {
namespace {

int startAndRun(Platform& platform, HINSTANCE instance, const std::string& folder) {
    ListWindow listWindow(instance, platform.screenMetrics(), platform.textEncoding());
    DialogWindows dialogViews(platform, listWindow.window());
    MessageLoop loop(instance);
    Form1 form(platform, loop, folder, listWindow, dialogViews);
    listWindow.attach(form);
    if (form.Form_Load() != StartOutcome::Resident)
        return 1;
    return loop.run();
}

} // namespace

int runProgram(Platform& platform, HINSTANCE instance, const std::string& folder) {
    try {
        return startAndRun(platform, instance, folder);
    } catch (const std::exception& error) {
        const Message message = windowFailureMessage(error.what());
        platform.messageBox(message.text, message.title, message.style);
        return 2;
    }
}

} // namespace quivanto::win32
