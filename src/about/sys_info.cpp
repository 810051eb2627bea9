#include "about/sys_info.h"

namespace quivanto {
namespace {

// Closes an opened key on every way out, the error of an empty value included.
class KeyCloser final {
public:
    KeyCloser(Platform& platform, RegistryKeyHandle key)
        : platform_(platform)
        , key_(key) {}
    ~KeyCloser() { platform_.closeRegistryKey(key_); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    Platform& platform_;
    RegistryKeyHandle key_;
};

std::string dwordText(const std::string& bytes) {
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < bytes.size() && i < 4; ++i)
        number |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return std::to_string(number);
}

bool readEntry(Platform& platform, const SysInfoEntry& entry, std::string& path) {
    return GetKeyValue(platform, Registry::LocalMachine, std::string(entry.key),
                       std::string(entry.value), path);
}

// The path to start, or empty when neither entry yields one.
std::string findSysInfo(Platform& platform) {
    std::string path;
    if (readEntry(platform, SysInfoPathEntry, path))
        return path; // taken as it is: starting it is the test
    if (!readEntry(platform, SysInfoFolderEntry, path))
        return {};
    // The separator is always added, even after a folder that ends in one.
    std::string program = path + platform.pathSeparator() + std::string(SysInfoProgramName);
    return platform.isOrdinaryFile(program) ? program : std::string();
}

} // namespace

bool GetKeyValue(Platform& platform, std::uint32_t keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal) {
    // Read access is enough; asking for more is refused to ordinary users.
    const OpenedRegistryKey opened = platform.openRegistryKey(keyRoot, keyName, Registry::KeyRead);
    if (opened.status != Registry::Success) {
        keyVal.clear();
        return false;
    }
    const KeyCloser closer(platform, opened.key);
    const RegistryValue value =
        platform.queryRegistryValue(opened.key, subKeyRef, RegistryValueBufferSize);
    if (value.status != Registry::Success) { // a value longer than the buffer included
        keyVal.clear();
        return false;
    }
    if (value.bytes.empty())
        throw EmptyRegistryValue("The registry value " + subKeyRef + " is empty.");
    std::string text(value.bytes.begin(), value.bytes.end());
    if (text.back() == '\0')
        text.pop_back(); // the terminating zero, when the value was stored with one
    if (value.type == Registry::TypeString)
        keyVal = text;
    else if (value.type == Registry::TypeDword)
        keyVal = dwordText(text);
    return true;
}

void StartSysInfo(Platform& platform) {
    try {
        const std::string path = findSysInfo(platform);
        // An empty command line names no program; no system starts one.
        if (!path.empty() &&
            platform.directStart(path, ShowStyle::NormalActivate) == StartError::None)
            return;
    } catch (const EmptyRegistryValue&) {
        // falls through to the one message every failure ends in
    }
    const Message message = sysInfoUnavailableMessage();
    platform.messageBox(message.text, message.title, message.style);
}

Message sysInfoUnavailableMessage() {
    return {"System Information Is Unavailable At This Time", std::string(ApplicationTitle),
            MessageStyle::Ok};
}

} // namespace quivanto
