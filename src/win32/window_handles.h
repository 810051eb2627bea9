#pragma once

#include <windows.h>

#include <functional>
#include <utility>

// Thin owners of GDI handles, so every font, brush and bitmap the front end makes is
// released exactly once.
namespace quivanto::win32 {

template <typename Handle> class GdiObject final {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle)
        : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr)
            DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using BitmapHandle = GdiObject<HBITMAP>;
using PenHandle = GdiObject<HPEN>;

struct FontStyle {
    bool bold = false;
    bool underline = false;
    bool fixedPitch = false;
};

// Every font the front end draws with: `face` at `points` on a screen whose pixels are
// `twipsPerPixelY` twips high.
FontHandle makeFont(const char* face, float points, float twipsPerPixelY, FontStyle style = {});

// A window's device context for one scope.
class WindowDC final {
public:
    explicit WindowDC(HWND window)
        : window_(window)
        , dc_(GetDC(window)) {}
    ~WindowDC() { ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context for one scope.
class SelectedObject final {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc)
        , previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's member function as a message handler for HANDLE_MSG.
template <class Window, class Member> auto handler(Window* window, Member member) {
    return std::bind_front(member, window);
}

// A child window's identifier where CreateWindowEx takes a menu.
inline HMENU childMenu(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

// Draws a bitmap resource stretched into a rectangle of a device context.
void drawBitmap(HDC dc, HBITMAP bitmap, const RECT& target, int sourceLeft = 0, int sourceTop = 0,
                int sourceWidth = -1, int sourceHeight = -1);

} // namespace quivanto::win32
