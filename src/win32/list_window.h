#pragma once

#include "core/list_window_geometry.h"
#include "list_window/list_window_view.h"
#include "platform/platform.h"
#include "win32/window_handles.h"

#include <windows.h>

#include <optional>

#include <shellapi.h>

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace quivanto {
class Form1;
}

namespace quivanto::win32 {

// The list window: a borderless tool window (no taskbar button) with the banner, the five
// picture buttons, the About area and the owner-drawn list `lstApps`. It shows what Form1
// tells it and hands every click, key and drop to Form1, deciding nothing itself.
class ListWindow final : public ListWindowView {
public:
    // Child window identifiers, which the tour's probe also reads.
    enum ControlId : int {
        LstApps = 1001,
        PicAdd,
        PicDelete,
        PicProperties,
        PicHelp,
        PicClose,
        LblAbout,
    };

    // Where Tab goes from each control, in turn, wrapping at both ends. The banner is left
    // out: it does nothing of its own, and the window's title already names it.
    static constexpr ControlId TabOrder[] = {LstApps, PicProperties, PicDelete, PicAdd,
                                             PicHelp, PicClose,      LblAbout};

    // `encoding` is the one the rows' text is in: a row shows its first 30 characters.
    ListWindow(HINSTANCE instance, const ScreenMetrics& metrics, const TextEncoding& encoding);
    ~ListWindow() override;
    ListWindow(const ListWindow&) = delete;
    ListWindow& operator=(const ListWindow&) = delete;

    // Events go to `form` from now on.
    void attach(Form1& form) { form_ = &form; }

    // Made when first needed, which is after the tray icon at start.
    HWND window();
    HWND list() const { return list_; }
    // The banner as drawn now: the 1x or the 2x picture.
    HBITMAP bannerPicture() const { return banner_.get(); }

    // ListWindowView
    void setRows(const std::vector<std::string>& rows) override;
    void insertRow(int index, const std::string& row) override;
    void removeRow(int index) override;
    int selectedIndex() const override;
    void selectIndex(int index) override;
    void place(const PixelRect& window, const PixelRect& list) override;
    void showWindow() override;
    void hideWindow() override;
    void activate() override;
    void focusList() override;
    WindowHandle nativeHandle() const override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK pictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR self);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void onDestroy(HWND window);
    void onPaint(HWND window);
    BOOL onEraseBackground(HWND window, HDC dc);
    void onCommand(HWND window, int id, HWND control, UINT code);
    void onMeasureItem(HWND window, MEASUREITEMSTRUCT* measure);
    void onDrawItem(HWND window, const DRAWITEMSTRUCT* draw);
    HBRUSH onControlColour(HWND window, HDC dc, HWND control, int type);
    void onKeyDown(HWND window, UINT key, BOOL down, int repeat, UINT flags);
    void onDpiChanged(int dpiX, int dpiY, const RECT& suggested);
    void onRunLater();
    void clicked(int id);
    void guarded(const std::function<void()>& action);
    // Runs `task` once the event being handled is over.
    void runLater(std::function<void()> task);

    void ensureWindow();
    void ensureControls();
    void loadPictures();
    void placeControls();
    int scaledX(int flowPixels) const;
    int scaledY(int flowPixels) const;
    HWND createPicture(int id, const TwipsRect& rect, const char* name, const char* tip);
    void moveFocus(HWND from, bool backwards);
    void clickPicture(HWND picture);
    void drawListRow(const DRAWITEMSTRUCT& draw);
    void drawPicture(const DRAWITEMSTRUCT& draw);
    void forwardKey(UINT key);
    void forwardCharacter(char character);
    void forwardDrop(HDROP drop);
    RECT pixelRect(const TwipsRect& rect) const;
    int pixelsY(float twips) const;

    HINSTANCE instance_;
    // The flows place the window in pixels of the platform's screen (`flowMetrics_`); the
    // window's own monitor may have another scale (`metrics_`), which it follows.
    ScreenMetrics flowMetrics_;
    ScreenMetrics metrics_;
    TextEncoding encoding_;
    Form1* form_ = nullptr;
    HWND window_ = nullptr;
    HWND list_ = nullptr;
    HWND tooltip_ = nullptr;
    std::optional<PixelRect> windowPlace_; // kept until the window is made
    PixelRect listPlace_;
    FontHandle listFont_;
    BrushHandle green_;
    BitmapHandle banner_;
    std::array<BitmapHandle, 5> pictures_; // Add, Delete, Properties, Help, Hide
    std::deque<std::function<void()>> later_;
};

} // namespace quivanto::win32
