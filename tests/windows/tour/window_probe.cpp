// Reads another program's windows from outside, for the end-to-end tour: what a person
// would see on screen, as JSON on standard output. The wide-character messages are used
// throughout: across processes, an owner-drawn list box answers LB_GETTEXT in UTF-16 even
// to an ANSI caller.
//   window_probe windows                  top-level windows of every program
//   window_probe children HWND            child windows: class, id, text, place on screen
//   window_probe list HWND                a list box's rows, selection and row height
//   window_probe msgbox HWND              a message box: title, text, icon, buttons, default
//   window_probe memory HWND              working set of the program that owns the window
//   window_probe focus HWND               the control with the keyboard focus in the window's
//                                         program, as its user-interface thread reports it
#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::string quoted(const std::string& text) {
    std::string result = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            result += '\\';
            result += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            result += escape;
        } else {
            result += c;
        }
    }
    return result + "\"";
}

std::string quoted(const std::wstring& text) {
    return quoted(utf8(text));
}

std::string handleText(HWND window) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(window));
}

HWND handleFrom(const char* text) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(text, nullptr, 0)));
}

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// WM_GETTEXT with a time limit, so a hung program cannot hang the tour.
std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(copied);
    return text;
}

std::string placeFields(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    char fields[256];
    std::snprintf(fields, sizeof fields,
                  "\"x\": %ld, \"y\": %ld, \"w\": %ld, \"h\": %ld, \"cx\": %ld, \"cy\": %ld, "
                  "\"cw\": %ld, \"ch\": %ld",
                  rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, origin.x,
                  origin.y, client.right, client.bottom);
    return fields;
}

std::string windowFields(HWND window, const std::wstring& text) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char flags[200];
    std::snprintf(flags, sizeof flags,
                  "\"pid\": %lu, \"id\": %ld, \"visible\": %s, \"iconic\": %s, \"style\": %lu, "
                  "\"exstyle\": %lu, ",
                  pid, static_cast<long>(GetDlgCtrlID(window)),
                  IsWindowVisible(window) ? "true" : "false", IsIconic(window) ? "true" : "false",
                  static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)));
    return "{\"hwnd\": " + handleText(window) + ", \"cls\": " + quoted(className(window)) +
           ", \"text\": " + quoted(text) + ", " + flags + placeFields(window) + "}";
}

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

int listTopLevel() {
    std::vector<HWND> windows;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    std::string out = "[";
    for (const HWND window : windows) {
        wchar_t title[512] = {};
        GetWindowTextW(window, title, 512);
        out += (out.size() > 1 ? ",\n " : "") + windowFields(window, title);
    }
    std::printf("%s]\n", out.c_str());
    return 0;
}

int listChildren(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&windows));
    std::string out = "[";
    for (const HWND window : windows)
        out += (out.size() > 1 ? ",\n " : "") + windowFields(window, windowText(window));
    std::printf("%s]\n", out.c_str());
    return 0;
}

int listRows(HWND list) {
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    std::string rows = "[";
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        // Room for the answer in either width, whatever the list thinks it holds.
        std::wstring text(static_cast<std::size_t>(length < 0 ? 0 : length) * 2 + 2, L'\0');
        const auto copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                         reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
        rows += (i > 0 ? ", " : "") + quoted(text);
    }
    std::printf("{\"count\": %ld, \"selected\": %ld, \"top\": %ld, \"itemHeight\": %ld, %s, "
                "\"rows\": %s]}\n",
                static_cast<long>(count), static_cast<long>(SendMessageW(list, LB_GETCURSEL, 0, 0)),
                static_cast<long>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)),
                static_cast<long>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)),
                placeFields(list).c_str(), rows.c_str());
    return 0;
}

// What a device context shows in a rectangle, as 32-bit pixels.
std::vector<std::uint32_t> capture(HDC source, int left, int top, int width, int height) {
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

// A system icon drawn on the given background, as the box would show it.
std::vector<std::uint32_t> drawnIcon(int id, std::uint32_t background, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const COLORREF colour =
        RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, LoadIconW(nullptr, MAKEINTRESOURCEW(id)), width, height, 0, nullptr,
               DI_NORMAL);
    auto pixels = capture(memory, 0, 0, width, height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Icon handles belong to the program that loaded them, so the icon is recognised by its
// picture on screen, against each system icon drawn on the same background.
const char* iconName(HWND box) {
    struct Known {
        int id;
        const char* name;
    };
    static const Known known[] = {{32515, "exclamation"}, // IDI_EXCLAMATION
                                  {32514, "question"},    // IDI_QUESTION
                                  {32513, "hand"},        // IDI_HAND
                                  {32516, "asterisk"}};   // IDI_ASTERISK
    std::vector<HWND> children;
    EnumChildWindows(box, collectWindow, reinterpret_cast<LPARAM>(&children));
    for (const HWND child : children) {
        if (className(child) != L"Static" ||
            (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON || !IsWindowVisible(child))
            continue;
        if (SendMessageW(child, STM_GETICON, 0, 0) == 0)
            return "none";
        RECT rect{};
        GetWindowRect(child, &rect);
        const int width = GetSystemMetrics(SM_CXICON);
        const int height = GetSystemMetrics(SM_CYICON);
        HDC screen = GetDC(nullptr);
        const auto shown = capture(screen, rect.left, rect.top, width, height);
        ReleaseDC(nullptr, screen);
        const char* best = "other";
        std::size_t bestSame = shown.size() * 9 / 10; // at least nine pixels in ten
        for (const Known& k : known) {
            const auto drawn = drawnIcon(k.id, shown.front(), width, height);
            std::size_t same = 0;
            for (std::size_t i = 0; i < shown.size(); ++i)
                same += ((shown[i] ^ drawn[i]) & 0xFFFFFF) == 0 ? 1 : 0;
            if (same > bestSame) {
                bestSame = same;
                best = k.name;
            }
        }
        return best;
    }
    return "none";
}

int readMessageBox(HWND box) {
    wchar_t title[512] = {};
    GetWindowTextW(box, title, 512);
    std::vector<HWND> children;
    EnumChildWindows(box, collectWindow, reinterpret_cast<LPARAM>(&children));
    std::wstring text;
    std::string buttons = "[";
    DWORD thread = GetWindowThreadProcessId(box, nullptr);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(thread, &gui);
    for (const HWND child : children) {
        const std::wstring cls = className(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (cls == L"Static" && (style & SS_TYPEMASK) != SS_ICON && IsWindowVisible(child)) {
            const std::wstring part = windowText(child);
            if (!part.empty())
                text = part;
        } else if (cls == L"Button" && IsWindowVisible(child)) {
            const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
            buttons += std::string(buttons.size() > 1 ? ", " : "") +
                       "{\"text\": " + quoted(windowText(child)) +
                       ", \"id\": " + std::to_string(GetDlgCtrlID(child)) +
                       ", \"default\": " + (isDefault ? "true" : "false") +
                       ", \"focus\": " + (gui.hwndFocus == child ? "true" : "false") + ", " +
                       placeFields(child) + "}";
        }
    }
    std::printf("{\"title\": %s, \"text\": %s, \"icon\": \"%s\", \"buttons\": %s], %s}\n",
                quoted(title).c_str(), quoted(text).c_str(), iconName(box), buttons.c_str(),
                placeFields(box).c_str());
    return 0;
}

int readFocus(HWND window) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui) ||
        gui.hwndFocus == nullptr) {
        std::printf("{\"hwnd\": 0}\n");
        return 0;
    }
    std::printf("%s\n", windowFields(gui.hwndFocus, windowText(gui.hwndFocus)).c_str());
    return 0;
}

int readMemory(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr)
        return 2;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const BOOL ok = K32GetProcessMemoryInfo(process, &counters, sizeof counters);
    CloseHandle(process);
    if (!ok)
        return 2;
    std::printf("{\"pid\": %lu, \"workingSet\": %llu, \"peakWorkingSet\": %llu, "
                "\"pagefile\": %llu}\n",
                pid, static_cast<unsigned long long>(counters.WorkingSetSize),
                static_cast<unsigned long long>(counters.PeakWorkingSetSize),
                static_cast<unsigned long long>(counters.PagefileUsage));
    return 0;
}

// Posts a message as another program (the notification area) would.
int postMessage(HWND window, wchar_t** arguments) {
    const auto number = [](const wchar_t* text) {
        return std::wcstoull(text, nullptr, 0);
    };
    return PostMessageW(window, static_cast<UINT>(number(arguments[0])),
                        static_cast<WPARAM>(number(arguments[1])),
                        static_cast<LPARAM>(number(arguments[2])))
               ? 0
               : 1;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc >= 2 && std::wstring(argv[1]) == L"windows")
        return listTopLevel();
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_probe windows | children|list|msgbox|memory|focus HWND "
                             "| post HWND MESSAGE WPARAM LPARAM\n");
        return 2;
    }
    const std::wstring command = argv[1];
    const HWND window = handleFrom(utf8(argv[2]).c_str());
    if (!IsWindow(window))
        return 3;
    if (command == L"children")
        return listChildren(window);
    if (command == L"list")
        return listRows(window);
    if (command == L"msgbox")
        return readMessageBox(window);
    if (command == L"memory")
        return readMemory(window);
    if (command == L"focus")
        return readFocus(window);
    if (command == L"post" && argc >= 6)
        return postMessage(window, argv + 3);
    return 2;
}
