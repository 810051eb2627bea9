#pragma once

#include "platform/sys_info_registry.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace quivanto::testing {

// A registry made up by a test, recording every call, for the look-ups a back end makes.
class FakeRegistry final : public RegistryReader {
public:
    struct Entry {
        std::uint32_t root;
        std::string key;
        std::string value;
        bool operator<(const Entry& other) const;
    };

    // Script. A key exists when it holds at least one value here; a stored value whose
    // status is not Registry::Success fails with that status when queried.
    std::map<Entry, RegistryValue> values;
    // Opening a key for more than this is refused, as for a user without write rights.
    std::uint32_t grantedAccess = 0xF003F; // everything

    // Record
    struct Opening {
        std::string key;
        std::uint32_t access;
    };
    std::vector<Opening> openings;
    std::vector<std::string> queries; // key + "\\" + value name
    std::vector<std::size_t> bufferSizes;
    std::set<RegistryKeyHandle> openKeys; // opened and not yet closed

    OpenedRegistryKey openKey(std::uint32_t root, const std::string& keyName,
                              std::uint32_t access) override;
    RegistryValue queryValue(RegistryKeyHandle key, const std::string& valueName,
                             std::size_t bufferSize) override;
    void closeKey(RegistryKeyHandle key) override { openKeys.erase(key); }

    // A text value as the registry stores it, with or without its terminating zero.
    static RegistryValue textValue(const std::string& text, bool terminated = true,
                                   std::uint32_t type = Registry::TypeString);

private:
    std::map<RegistryKeyHandle, std::pair<std::uint32_t, std::string>> handles_;
    RegistryKeyHandle nextHandle_ = 0x100;
};

} // namespace quivanto::testing
