#include "win32/window_handles.h"

namespace quivanto::win32 {

void drawBitmap(HDC dc, HBITMAP bitmap, const RECT& target, int sourceLeft, int sourceTop,
                int sourceWidth, int sourceHeight) {
    if (bitmap == nullptr)
        return;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    {
        SelectedObject selected(memory, bitmap);
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, target.left, target.top, target.right - target.left,
                   target.bottom - target.top, memory, sourceLeft, sourceTop,
                   sourceWidth < 0 ? info.bmWidth : sourceWidth,
                   sourceHeight < 0 ? info.bmHeight : sourceHeight, SRCCOPY);
    }
    DeleteDC(memory);
}

} // namespace quivanto::win32
