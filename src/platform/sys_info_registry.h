#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Where a system with a registry says its system information tool is: two machine-wide
// entries, tried in a fixed order. Standard C++ over the registry's three calls, so the
// look-up can be checked against a registry made up by a test.
namespace quivanto {

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

// The registry in three steps, as the system offers it: open a key under a root with an
// access mask, read one of its values into a buffer of a given size (a larger value fails
// with Registry::MoreData), close the key.
class RegistryReader {
public:
    virtual ~RegistryReader() = default;
    virtual OpenedRegistryKey openKey(std::uint32_t root, const std::string& keyName,
                                      std::uint32_t access) = 0;
    virtual RegistryValue queryValue(RegistryKeyHandle key, const std::string& valueName,
                                     std::size_t bufferSize) = 0;
    virtual void closeKey(RegistryKeyHandle key) = 0;
};

struct SysInfoEntry {
    std::string_view key;
    std::string_view value;
};

// Tried in this order. The first holds the tool's full path, the second its folder.
inline constexpr SysInfoEntry SysInfoPathEntry{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"};
inline constexpr SysInfoEntry SysInfoFolderEntry{"SOFTWARE\\Microsoft\\Shared Tools Location",
                                                 "MSINFO"};
inline constexpr std::string_view SysInfoProgramName = "MSINFO32.EXE";

// Values are read into a buffer of this size; a longer one counts as absent.
inline constexpr std::size_t RegistryValueBufferSize = 1024;

// A value of zero length: there is no last byte to trim, and the whole attempt ends.
class EmptyRegistryValue final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads one value as text into `keyVal`. True when the key and value were read; then a
// text value replaces `keyVal`, a 32-bit number replaces it by its decimal digits, and a
// value of any other type leaves it as it was. False, with `keyVal` emptied, when the key
// or the value cannot be read. Keys are opened for reading only. Throws
// EmptyRegistryValue for a value of zero length, after closing the key.
bool GetKeyValue(RegistryReader& registry, std::uint32_t keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal);

// The tool the first entry names, taken as it is (starting it is the test), or
// MSINFO32.EXE in the folder the second names if that is an ordinary file. Nothing when
// neither yields a program, or when an entry of zero length ends the attempt.
std::optional<std::string>
sysInfoFromRegistry(RegistryReader& registry,
                    const std::function<bool(const std::string&)>& isOrdinaryFile, char separator);

} // namespace quivanto
