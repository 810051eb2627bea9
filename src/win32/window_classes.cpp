#include "win32/window_classes.h"

#include "win32/resource_ids.h"

#include <stdexcept>
#include <string>

namespace quivanto::win32 {
namespace {

HICON iconOfSize(HINSTANCE instance, int width, int height) {
    return static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_QUIVANTO), IMAGE_ICON, width, height, LR_SHARED));
}

} // namespace

void ensureWindowClass(const WindowClassTraits& traits, const char* windowName) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, traits.name, &windowClass))
        return;
    windowClass.style = traits.style;
    windowClass.lpfnWndProc = traits.procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = traits.background;
    if (traits.programIcon) {
        windowClass.hIcon =
            iconOfSize(instance, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
        windowClass.hIconSm =
            iconOfSize(instance, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    }
    windowClass.lpszClassName = traits.name;
    if (RegisterClassExA(&windowClass) == 0)
        throw std::runtime_error(std::string("Quivanto could not register the class of its ") +
                                 windowName + " (error " + std::to_string(GetLastError()) + ").");
}

} // namespace quivanto::win32
