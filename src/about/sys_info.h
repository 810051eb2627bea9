#pragma once

#include "core/message.h"
#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Finding and starting the system's own system information tool through the two
// machine-wide registry entries that locate it.
namespace quivanto {

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
bool GetKeyValue(Platform& platform, std::uint32_t keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal);

// Starts the tool named by the first entry, or MSINFO32.EXE in the folder named by the
// second if that file exists; otherwise, or when starting fails, tells the user.
void StartSysInfo(Platform& platform);

Message sysInfoUnavailableMessage();

} // namespace quivanto
