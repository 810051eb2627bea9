#pragma once

#include "core/event_loop.h"

#include <windows.h>

#include <deque>
#include <functional>

namespace quivanto::win32 {

// The program's message loop as the flows see it. Tasks run from a message-only window, so
// a modal loop (a message box) delivers them too, as it would not a thread message. The
// window is made with the first task: nothing of it stands before the tray icon.
class MessageLoop final : public EventLoop {
public:
    explicit MessageLoop(HINSTANCE instance);
    ~MessageLoop() override;
    MessageLoop(const MessageLoop&) = delete;
    MessageLoop& operator=(const MessageLoop&) = delete;

    void runLater(std::function<void()> task) override;
    void programEnds() override;

    // Delivers messages until the program ends; returns its exit code.
    int run();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void runTasks();
    void ensureWindow();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    std::deque<std::function<void()>> tasks_;
};

} // namespace quivanto::win32
