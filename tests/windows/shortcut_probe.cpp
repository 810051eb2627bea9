// What the installer tests ask the shell about:
//   shortcut_probe read FILE.lnk   prints a shortcut's "target=", "folder=" and "arguments="
//   shortcut_probe folders         prints the user's "local=", "programs=" and "startup=" folders
//   shortcut_probe running NAME    exit code 0 when a process of that program name runs
// Output is UTF-8. Exit code: 0 done, 1 not done (or not running), 2 wrong usage.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

// Releases a COM interface when the scope ends.
template <typename Interface> class ComRef final {
public:
    ComRef() = default;
    ~ComRef() {
        if (pointer_ != nullptr)
            pointer_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    Interface** out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }

private:
    Interface* pointer_ = nullptr;
};

int readShortcut(const wchar_t* file) {
    ComRef<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.out()))))
        return 1;
    ComRef<IPersistFile> persisted;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(persisted.out()))) ||
        FAILED(persisted->Load(file, STGM_READ)))
        return 1;
    wchar_t target[MAX_PATH] = {};
    wchar_t folder[MAX_PATH] = {};
    wchar_t arguments[1024] = {};
    // SLGP_RAWPATH: the path as stored, not one resolved against this machine.
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) ||
        FAILED(link->GetWorkingDirectory(folder, MAX_PATH)) ||
        FAILED(link->GetArguments(arguments, 1024)))
        return 1;
    std::printf("target=%s\nfolder=%s\narguments=%s\n", utf8(target).c_str(), utf8(folder).c_str(),
                utf8(arguments).c_str());
    return 0;
}

int printFolders() {
    const struct {
        const char* name;
        const KNOWNFOLDERID& id;
    } folders[] = {{"local", FOLDERID_LocalAppData},
                   {"programs", FOLDERID_Programs},
                   {"startup", FOLDERID_Startup}};
    for (const auto& folder : folders) {
        wchar_t* path = nullptr;
        if (FAILED(SHGetKnownFolderPath(folder.id, 0, nullptr, &path)))
            return 1;
        std::printf("%s=%s\n", folder.name, utf8(path).c_str());
        CoTaskMemFree(path);
    }
    return 0;
}

int findProcess(const wchar_t* exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 1;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
         more = Process32NextW(snapshot, &entry))
        found = lstrcmpiW(entry.szExeFile, exeName) == 0;
    CloseHandle(snapshot);
    return found ? 0 : 1;
}

} // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 2 || count > 3)
        return 2;
    const std::wstring command = arguments[1];
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    int result = 2;
    if (command == L"folders" && count == 2)
        result = printFolders();
    else if (command == L"read" && count == 3)
        result = readShortcut(arguments[2]);
    else if (command == L"running" && count == 3)
        result = findProcess(arguments[2]);
    CoUninitialize();
    LocalFree(arguments);
    return result;
}
