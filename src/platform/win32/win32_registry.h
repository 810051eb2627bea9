#pragma once

#include "platform/sys_info_registry.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The registry look-up in its three steps, kept apart so that callers may hold a key open
// across several queries.
namespace quivanto::win32 {

// The predefined root a 32-bit handle value names (0x80000002 is HKEY_LOCAL_MACHINE).
// Predefined handles are sign-extended on 64-bit Windows, so a plain cast would miss them.
HKEY registryRoot(std::uint32_t root);

// RegOpenKeyExA with options 0 and the given access. `key` is set only on success.
long openRegistryKey(std::uint32_t root, const std::string& keyName, std::uint32_t access,
                     HKEY& key);

// RegQueryValueExA into a zeroed buffer of `bufferSize` bytes. On success the bytes are
// exactly those returned; on failure only the status is meaningful.
RegistryValue queryRegistryKey(HKEY key, const std::string& valueName, std::size_t bufferSize);

void closeRegistryKey(HKEY key);

// The system's registry through the three steps above; an open key travels as an integer.
class SystemRegistry final : public RegistryReader {
public:
    OpenedRegistryKey openKey(std::uint32_t root, const std::string& keyName,
                              std::uint32_t access) override;
    RegistryValue queryValue(RegistryKeyHandle key, const std::string& valueName,
                             std::size_t bufferSize) override;
    void closeKey(RegistryKeyHandle key) override;
};

} // namespace quivanto::win32
