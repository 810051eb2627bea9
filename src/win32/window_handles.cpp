#include "win32/window_handles.h"

#include <cmath>

namespace quivanto::win32 {

FontHandle makeFont(const char* face, float points, float twipsPerPixelY, FontStyle style) {
    // A cell height in pixels, as CreateFont wants it: 20 twips a point.
    const int height = -static_cast<int>(std::lround(points * 20.0f / twipsPerPixelY));
    const DWORD pitch = style.fixedPitch ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE;
    return FontHandle(CreateFontA(height, 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                  style.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitch,
                                  face));
}

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
