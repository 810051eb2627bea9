#include "core/shortcut_keys.h"
#include "list_window/form1.h"
#include "platform/desktop/desktop_platform.h"
#include "platform/desktop/popup_window.h"
#include "qt/artwork.h"
#include "qt/list_window.h"
#include "qt/qt_dialog_views.h"
#include "qt/qt_event_loop.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

int exitCode(quivanto::StartOutcome outcome) {
    switch (outcome) {
    case quivanto::StartOutcome::AlreadyRunning:
        return 0; // the running copy serves the user
    case quivanto::StartOutcome::Resident:
        return 0;
    case quivanto::StartOutcome::NoTray:
    case quivanto::StartOutcome::ListFileFailed:
        break;
    }
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::string problem = quivanto::DesktopPlatform::prepareDisplay(); !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quivanto"));
    QApplication::setWindowIcon(quivanto::programIcon());
    // Only the tray icon keeps the program alive; closing a dialog must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    quivanto::DesktopPlatform platform;
    // The windows first: the flows, destroyed before them, own the dialogs' windows.
    quivanto::ListWindow window(platform.screenMetrics());
    quivanto::desktop::makeStandAlonePopup(window);
    quivanto::QtDialogViews dialogViews(window, platform);
    quivanto::QtEventLoop eventLoop;
    quivanto::Form1 form(platform, eventLoop, std::filesystem::current_path(), window, dialogViews);
    window.attach(form);
    // Qt has taken its own options out of argv by now.
    form.setShortcut(
        quivanto::shortcutFromArguments(std::vector<std::string>(argv + 1, argv + argc)));
    // Start-up may wait in a loop of its own (a message, the desktop portal's answer) while
    // the tray icon already takes clicks; an end asked for then has no main loop to quit.
    bool ended = false;
    QObject::connect(&eventLoop, &quivanto::QtEventLoop::ended, &app, [&ended] {
        ended = true;
        QApplication::quit();
    });
    const auto outcome = form.Form_Load();
    if (outcome != quivanto::StartOutcome::Resident)
        return exitCode(outcome);
    return ended ? 0 : QApplication::exec();
}
