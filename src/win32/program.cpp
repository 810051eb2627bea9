#include "win32/program.h"

#include "core/form1.h"
#include "core/message.h"
#include "win32/dialog_support.h"
#include "win32/dialog_windows.h"
#include "win32/list_window.h"

#include <exception>

namespace quivanto::win32 {
namespace {

int runMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The dialogs are modeless: Tab, Enter and Escape reach their controls this way.
        if (routeDialogMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int startAndRun(Platform& platform, HINSTANCE instance, const std::string& folder) {
    ListWindow listWindow(instance, platform.screenMetrics(), platform.textEncoding());
    DialogWindows dialogViews(platform, listWindow.window());
    Form1 form(platform, folder, listWindow, dialogViews);
    listWindow.attach(form);
    if (form.Form_Load() != StartOutcome::Resident)
        return 1;
    return runMessageLoop();
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
