#include "platform/sys_info_registry.h"

namespace quivanto {
namespace {

// Closes an opened key on every way out, the error of an empty value included.
class KeyCloser final {
public:
    KeyCloser(RegistryReader& registry, RegistryKeyHandle key)
        : registry_(registry)
        , key_(key) {}
    ~KeyCloser() { registry_.closeKey(key_); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    RegistryReader& registry_;
    RegistryKeyHandle key_;
};

std::string dwordText(const std::string& bytes) {
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < bytes.size() && i < 4; ++i)
        number |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return std::to_string(number);
}

bool readEntry(RegistryReader& registry, const SysInfoEntry& entry, std::string& path) {
    return GetKeyValue(registry, Registry::LocalMachine, std::string(entry.key),
                       std::string(entry.value), path);
}

// The path to start, or empty when neither entry yields one.
std::string findSysInfo(RegistryReader& registry,
                        const std::function<bool(const std::string&)>& isOrdinaryFile,
                        char separator) {
    std::string path;
    if (readEntry(registry, SysInfoPathEntry, path))
        return path; // taken as it is: starting it is the test
    if (!readEntry(registry, SysInfoFolderEntry, path))
        return {};
    // The separator is always added, even after a folder that ends in one.
    std::string program = path + separator + std::string(SysInfoProgramName);
    return isOrdinaryFile(program) ? program : std::string();
}

} // namespace

bool GetKeyValue(RegistryReader& registry, std::uint32_t keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal) {
    // Read access is enough; asking for more is refused to ordinary users.
    const OpenedRegistryKey opened = registry.openKey(keyRoot, keyName, Registry::KeyRead);
    if (opened.status != Registry::Success) {
        keyVal.clear();
        return false;
    }
    const KeyCloser closer(registry, opened.key);
    const RegistryValue value = registry.queryValue(opened.key, subKeyRef, RegistryValueBufferSize);
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

std::optional<std::string>
sysInfoFromRegistry(RegistryReader& registry,
                    const std::function<bool(const std::string&)>& isOrdinaryFile, char separator) {
    try {
        std::string path = findSysInfo(registry, isOrdinaryFile, separator);
        // An empty command line names no program; no system starts one.
        if (path.empty())
            return std::nullopt;
        return path;
    } catch (const EmptyRegistryValue&) {
        return std::nullopt;
    }
}

} // namespace quivanto
