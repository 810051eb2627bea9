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

// Message box style bits, with the values the Windows message box uses.
namespace MessageStyle {
inline constexpr int Ok = 0;
inline constexpr int YesNo = 4;
inline constexpr int IconQuestion = 32;
inline constexpr int IconExclamation = 48;
inline constexpr int DefaultButton2 = 256;
inline constexpr int ButtonsMask = 0x0F;
inline constexpr int IconMask = 0xF0;
inline constexpr int DefaultMask = 0xF00;
} // namespace MessageStyle

// Answers of a message box.
enum class MessageAnswer { Ok = 1, Yes = 6, No = 7 };

// How a started program's window appears.
enum class ShowStyle {
    NormalNoActivate, // launched items: normal size, the focus stays where it is
    NormalActivate    // the system information tool
};

// Failure codes of the direct start; any scheme serves, as long as "no such file" is distinct.
namespace StartError {
inline constexpr int None = 0;
inline constexpr int FileNotFound = 53;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathAccess = 75;
// The program stands in for one the system lacks (a text editor), and none was found.
inline constexpr int NoTextEditor = 1001;
} // namespace StartError

// Results of the shell's open request: greater than 32 means the request was accepted.
inline constexpr int OpenRequestFailureLimit = 32;

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

struct TrayIconData {
    unsigned id = 1;
    unsigned flags = 7;               // message, icon and tip
    unsigned callbackMessage = 0x200; // delivered as a mouse movement
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

// Registry access: open a key under a root with an access mask, read one of its values into
// a buffer of a given size, close the key.
namespace Registry {
inline constexpr std::uint32_t LocalMachine = 0x80000002u;
inline constexpr std::uint32_t KeyRead = 0x20019u;
inline constexpr long Success = 0;
inline constexpr long NotFound = 2;
inline constexpr long AccessDenied = 5;
inline constexpr long MoreData = 234;
inline constexpr std::uint32_t TypeString = 1;
inline constexpr std::uint32_t TypeExpandString = 2;
inline constexpr std::uint32_t TypeDword = 4;
} // namespace Registry

using RegistryKeyHandle = std::uintptr_t;

struct OpenedRegistryKey {
    long status = Registry::NotFound;
    RegistryKeyHandle key = 0; // meaningful only when status is Registry::Success
};

struct RegistryValue {
    long status = Registry::NotFound;
    std::uint32_t type = 0;
    std::vector<unsigned char> bytes; // exactly the bytes the registry returned
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

class Platform {
public:
    virtual ~Platform() = default;

    // Modal message box; `text` uses single CR characters as line breaks.
    virtual MessageAnswer messageBox(const std::string& text, const std::string& title,
                                     int style) = 0;

    // The desktop's open action for a file, folder or document. Returns a value greater
    // than 32 when the request was accepted, 32 or less when it failed.
    virtual int openRequest(const std::string& target) = 0;

    // Starts a program without waiting and without a shell; the whole text names the
    // program. Returns StartError::None or a failure code.
    virtual int directStart(const std::string& program, ShowStyle style) = 0;

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
    // file too; truncateFile cuts a file back to `size` bytes; copyAccess gives `to` the
    // access rules of `from` (nothing happens when either is missing).
    virtual FileStatus fileStatus(const std::string& path, Links links) = 0;
    virtual std::error_code removeFile(const std::string& path) = 0;
    virtual std::error_code truncateFile(const std::string& path, std::uint64_t size) = 0;
    virtual void copyAccess(const std::string& from, const std::string& to) = 0;

    // The registry in three steps, as the system offers it. A value larger than
    // `bufferSize` fails with Registry::MoreData. Every key opened with success is closed.
    virtual OpenedRegistryKey openRegistryKey(std::uint32_t root, const std::string& keyName,
                                              std::uint32_t access) = 0;
    virtual RegistryValue queryRegistryValue(RegistryKeyHandle key, const std::string& valueName,
                                             std::size_t bufferSize) = 0;
    virtual void closeRegistryKey(RegistryKeyHandle key) = 0;

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

    // The encoding of the system's 8-bit text: UTF-8 unless a back end says otherwise.
    virtual TextEncoding textEncoding() const { return {}; }

    // The folders and ordinary files of a folder, without what the system marks hidden;
    // nothing when the folder cannot be read. And the process's working folder.
    virtual std::optional<FolderEntries> folderEntries(const std::string& folder) = 0;
    virtual std::string workingFolder() = 0;
};

} // namespace quivanto
