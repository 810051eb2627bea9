#include "win32/message_loop.h"

#include "win32/dialog_support.h"
#include "win32/window_classes.h"

#include <stdexcept>
#include <string>

namespace quivanto::win32 {
namespace {

constexpr const char* LoopClassName = "QuivantoMessageLoop";
constexpr UINT RunTasksMessage = WM_APP + 1;

} // namespace

MessageLoop::MessageLoop(HINSTANCE instance)
    : instance_(instance) {}

void MessageLoop::ensureWindow() {
    if (window_ != nullptr)
        return;
    ensureWindowClass({LoopClassName, &MessageLoop::windowProc}, "message loop's window");
    window_ = CreateWindowExA(0, LoopClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_,
                              nullptr);
    if (window_ == nullptr)
        throw std::runtime_error("Quivanto could not create its message loop's window (error " +
                                 std::to_string(GetLastError()) + ").");
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageLoop::~MessageLoop() {
    if (window_ == nullptr)
        return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

void MessageLoop::runLater(std::function<void()> task) {
    ensureWindow();
    tasks_.push_back(std::move(task));
    PostMessageA(window_, RunTasksMessage, 0, 0);
}

void MessageLoop::programEnds() {
    PostQuitMessage(0);
}

int MessageLoop::run() {
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

void MessageLoop::runTasks() {
    while (!tasks_.empty()) {
        const auto task = std::move(tasks_.front());
        tasks_.pop_front();
        task();
    }
}

LRESULT CALLBACK MessageLoop::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MessageLoop*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == RunTasksMessage && self != nullptr) {
        self->runTasks();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace quivanto::win32
