#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

// The one seam between Quivanto and the operating system. Everything the program asks of
// the system goes through an instance of this interface, handed down by reference.
// Standard C++ only, so the same interface serves every back end.
namespace quivanto {

// A message box's buttons, icon and default button, and the answer it gives.
enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Question, Exclamation };
enum class DefaultButton { First, Second };

struct MessageStyle {
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    DefaultButton defaultButton = DefaultButton::First;

    bool operator==(const MessageStyle&) const = default;
};

enum class MessageAnswer { Ok, Yes, No };

// How a started program's window appears.
enum class ShowStyle {
    NormalNoActivate, // launched items: normal size, the focus stays where it is
    NormalActivate    // the system information tool
};

// How the open request or the direct start of a target went.
enum class LaunchStatus {
    Started,
    NotFound,         // no such file or folder
    NoProgramForFile, // nothing on this system opens it
    AccessRefused,
    Other
};

struct LaunchResult {
    LaunchStatus status = LaunchStatus::Started;
    int systemCode = 0; // the system's own number for a failure, for the record

    bool started() const { return status == LaunchStatus::Started; }
    bool operator==(const LaunchResult&) const = default;
};

// A point on the desktop, in pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// A rectangle on the desktop, in pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const ScreenRect&) const = default;
};

// What the user did to the tray icon. A keyboard selection (Enter or Space on the icon)
// is a click that should leave the keyboard in the list.
struct TrayEvent {
    enum class Kind { Click, DoubleClick, ContextRequest };

    explicit TrayEvent(Kind kind, std::optional<ScreenPoint> place = std::nullopt,
                       bool fromKeyboard = false)
        : kind(kind)
        , place(place)
        , fromKeyboard(fromKeyboard) {}

    Kind kind;
    // Where the tray host says it happened, when it says so. Hosts are not always right:
    // the list window checks the place before it uses it.
    std::optional<ScreenPoint> place;
    bool fromKeyboard = false;
};

using TrayEventHandler = std::function<void(const TrayEvent& event)>;

// The monitor that holds the tray icon and what the panels leave of it.
struct TrayPlace {
    ScreenRect monitor;
    ScreenRect workArea;            // the monitor less the room panels reserve
    std::optional<ScreenRect> icon; // the icon itself, where the tray tells
    float twipsPerPixelX = 15;
    float twipsPerPixelY = 15;
    // False where the pointer's position cannot be read (a Wayland session).
    bool pointerKnown = true;
};

// The program's one tray icon: the program's own icon, with this tip.
struct TrayIconData {
    std::string tip;
};

struct ScreenMetrics {
    float widthTwips = 0;
    float heightTwips = 0;
    float twipsPerPixelX = 15;
    float twipsPerPixelY = 15;
};

struct CursorPosition {
    int x = 0;
    int y = 0;
};

// How the system's 8-bit text (the list file, the tray tip, every platform call) encodes
// characters; character positions in item lines count these characters.
struct TextEncoding {
    enum class Kind { Utf8, SingleByte, DoubleByte };
    Kind kind = Kind::Utf8;
    std::bitset<256> leadBytes; // DoubleByte: the bytes that start a two-byte character

    bool isLeadByte(unsigned char byte) const {
        return kind == Kind::DoubleByte && leadBytes.test(byte);
    }
};

// One folder's subfolders and files by name, as the system's 8-bit text, unsorted.
struct FolderEntries {
    std::vector<std::string> folders;
    std::vector<std::string> files;
};

// What a path names, as far as the list file needs to know.
struct FileStatus {
    enum class Kind { Missing, Regular, Directory, Other };
    Kind kind = Kind::Missing;
    std::uint64_t size = 0; // meaningful for a regular file
    bool writable = true;   // false when the file itself forbids writing (no write bit, read-only)
    std::uint32_t access = 0; // the back end's own access bits, for copyAccess
};

// Whether a status looks through a symbolic link or at the link itself.
enum class Links { Follow, Own };

using WindowHandle = std::uintptr_t;

// A key combination for the global shortcut: modifier bits and one key, the key as its
// virtual-key code (a capital letter or digit as itself, F1 to F12 from 112 on).
struct ShortcutKeys {
    enum Modifier : unsigned { Shift = 1, Control = 2, Alt = 4, Super = 8 };
    unsigned modifiers = 0;
    int key = 0;
    bool operator==(const ShortcutKeys&) const = default;
};

enum class ShortcutResult {
    Registered,
    Taken,      // another program holds these keys
    Unavailable // the session offers no global shortcuts to programs
};

using ShortcutHandler = std::function<void()>;

class Platform {
public:
    virtual ~Platform() = default;

    // Modal message box; `text` uses single CR characters as line breaks.
    virtual MessageAnswer messageBox(const std::string& text, const std::string& title,
                                     MessageStyle style) = 0;

    // The desktop's open action for a file, folder or document: Started when the request
    // was accepted.
    virtual LaunchResult openRequest(const std::string& target) = 0;

    // Starts a program without waiting and without a shell; the whole text names the
    // program. NoProgramForFile: it names a program this system stands in for (the text
    // editor of the default list), and there is nothing to stand in.
    virtual LaunchResult directStart(const std::string& program, ShowStyle style) = 0;

    // An ordinary file: not a folder, not hidden, not a system file.
    virtual bool isOrdinaryFile(const std::string& path) = 0;

    // Where the program's own documents (License.txt) are found.
    virtual std::string applicationDirectory() = 0;

    // The path separator of this system, as targets and folder names use it.
    virtual char pathSeparator() const = 0;

    // Whether a file name may end with a space here: where it may, a dropped name is kept
    // exactly; where it may not, the spaces are not part of the name and are trimmed.
    virtual bool namesMayEndWithSpace() const = 0;

    // The file-system roots a user would recognise, in the order the drive list shows them.
    virtual std::vector<std::string> driveRoots() = 0;
    // The user's home folder; empty when there is none.
    virtual std::string homeFolder() = 0;

    // Durable files: make the file's bytes reach the disk, and replace `to` by `from`
    // in one step, so that `to` is at every moment either the old or the new file.
    virtual std::error_code flushToDisk(const std::string& file) = 0;
    virtual std::error_code replaceFile(const std::string& from, const std::string& to) = 0;

    // Plain file queries and changes the C library cannot make portably. A path that
    // cannot be looked at (other than missing) is Kind::Other. removeFile takes a read-only
    // file too; copyAccess gives `to` the access rules of `from` (nothing happens when
    // either is missing).
    virtual FileStatus fileStatus(const std::string& path, Links links) = 0;
    virtual std::error_code removeFile(const std::string& path) = 0;
    virtual void copyAccess(const std::string& from, const std::string& to) = 0;

    // The command line of the system's own system information tool; nothing when this
    // system has none to offer.
    virtual std::optional<std::string> systemInformationTool() = 0;

    // True when another copy of the program runs for this user. The first call that
    // answers false makes this process the running copy for as long as it lives.
    virtual bool previousInstanceRunning() = 0;

    // The notification area. `waitForTray` waits up to the given time for one to exist.
    virtual bool waitForTray(int milliseconds) = 0;
    virtual void addTrayIcon(const TrayIconData& data, TrayEventHandler onEvent) = 0;
    virtual void deleteTrayIcon(const TrayIconData& data) = 0;

    virtual ScreenMetrics screenMetrics() = 0;
    // The monitor holding the tray icon, asked afresh each time: panels come and go.
    virtual TrayPlace trayPlace() = 0;
    virtual CursorPosition cursorPosition() = 0;
    virtual void setForegroundWindow(WindowHandle window) = 0;

    // A key combination that reaches the program wherever the keyboard focus is. Whether
    // the session offers them at all can be asked first. `onPressed` runs on the user
    // interface thread, once for each press, for as long as the program runs.
    virtual bool globalShortcutsAvailable() { return false; }
    virtual ShortcutResult registerGlobalShortcut(const ShortcutKeys&, ShortcutHandler) {
        return ShortcutResult::Unavailable;
    }
    // What this system calls the Super modifier in key names ("Win" on Windows).
    virtual std::string superKeyName() const { return "Super"; }

    // The encoding of the system's 8-bit text: UTF-8 unless a back end says otherwise.
    virtual TextEncoding textEncoding() const { return {}; }

    // The folders and ordinary files of a folder, without what the system marks hidden;
    // nothing when the folder cannot be read. And the process's working folder.
    virtual std::optional<FolderEntries> folderEntries(const std::string& folder) = 0;
    virtual std::string workingFolder() = 0;
};

} // namespace quivanto
