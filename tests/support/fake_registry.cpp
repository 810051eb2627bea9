#include "support/fake_registry.h"

#include <tuple>

namespace quivanto::testing {

bool FakeRegistry::Entry::operator<(const Entry& other) const {
    return std::tie(root, key, value) < std::tie(other.root, other.key, other.value);
}

OpenedRegistryKey FakeRegistry::openKey(std::uint32_t root, const std::string& keyName,
                                        std::uint32_t access) {
    openings.push_back({keyName, access});
    const auto first = values.lower_bound({root, keyName, std::string()});
    if (first == values.end() || first->first.root != root || first->first.key != keyName)
        return {Registry::NotFound, 0};
    if ((access & ~grantedAccess) != 0)
        return {Registry::AccessDenied, 0};
    const RegistryKeyHandle key = nextHandle_++;
    handles_[key] = {root, keyName};
    openKeys.insert(key);
    return {Registry::Success, key};
}

RegistryValue FakeRegistry::queryValue(RegistryKeyHandle key, const std::string& valueName,
                                       std::size_t bufferSize) {
    const auto handle = handles_.find(key);
    if (handle == handles_.end() || openKeys.count(key) == 0)
        return {6, 0, {}}; // an invalid handle
    queries.push_back(handle->second.second + "\\" + valueName);
    bufferSizes.push_back(bufferSize);
    const auto found = values.find({handle->second.first, handle->second.second, valueName});
    if (found == values.end())
        return {};
    if (found->second.status == Registry::Success && found->second.bytes.size() > bufferSize)
        return {Registry::MoreData, found->second.type, {}};
    return found->second;
}

RegistryValue FakeRegistry::textValue(const std::string& text, bool terminated,
                                      std::uint32_t type) {
    RegistryValue value{Registry::Success, type, {text.begin(), text.end()}};
    if (terminated)
        value.bytes.push_back(0);
    return value;
}

} // namespace quivanto::testing
