#include "platform/win32/win32_registry.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace quivanto::win32 {

static_assert(Registry::LocalMachine == 0x80000002u);
static_assert(Registry::KeyRead == KEY_READ);
static_assert(Registry::Success == ERROR_SUCCESS);
static_assert(Registry::NotFound == ERROR_FILE_NOT_FOUND);
static_assert(Registry::MoreData == ERROR_MORE_DATA);
static_assert(Registry::TypeString == REG_SZ && Registry::TypeDword == REG_DWORD);

HKEY registryRoot(std::uint32_t root) {
    const auto signExtended = static_cast<LONG_PTR>(static_cast<LONG>(root));
    return reinterpret_cast<HKEY>(signExtended);
}

long openRegistryKey(std::uint32_t root, const std::string& keyName, std::uint32_t access,
                     HKEY& key) {
    HKEY opened = nullptr;
    const LSTATUS status =
        RegOpenKeyExA(registryRoot(root), keyName.c_str(), 0, static_cast<REGSAM>(access), &opened);
    if (status == ERROR_SUCCESS)
        key = opened;
    return status;
}

RegistryValue queryRegistryKey(HKEY key, const std::string& valueName, std::size_t bufferSize) {
    RegistryValue result;
    if (bufferSize > std::numeric_limits<DWORD>::max()) {
        result.status = ERROR_INVALID_PARAMETER;
        return result;
    }
    // Never a null buffer: that would ask only for the value's size and report success.
    std::vector<unsigned char> buffer(std::max<std::size_t>(bufferSize, 1), 0);
    DWORD type = 0;
    auto size = static_cast<DWORD>(bufferSize);
    result.status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, buffer.data(), &size);
    if (result.status != ERROR_SUCCESS)
        return result;
    result.type = type;
    buffer.resize(size);
    result.bytes = std::move(buffer);
    return result;
}

void closeRegistryKey(HKEY key) {
    RegCloseKey(key);
}

OpenedRegistryKey SystemRegistry::openKey(std::uint32_t root, const std::string& keyName,
                                          std::uint32_t access) {
    HKEY key = nullptr;
    const long status = openRegistryKey(root, keyName, access, key);
    if (status != Registry::Success)
        return {status, 0};
    return {status, reinterpret_cast<RegistryKeyHandle>(key)};
}

RegistryValue SystemRegistry::queryValue(RegistryKeyHandle key, const std::string& valueName,
                                         std::size_t bufferSize) {
    return queryRegistryKey(reinterpret_cast<HKEY>(key), valueName, bufferSize);
}

void SystemRegistry::closeKey(RegistryKeyHandle key) {
    closeRegistryKey(reinterpret_cast<HKEY>(key));
}

} // namespace quivanto::win32
