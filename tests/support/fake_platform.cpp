#include "support/fake_platform.h"

#include <tuple>

namespace quivanto::testing {

bool FakePlatform::RegistryKey::operator<(const RegistryKey& other) const {
    return std::tie(root, key, value) < std::tie(other.root, other.key, other.value);
}

MessageAnswer FakePlatform::messageBox(const std::string& text, const std::string& title,
                                       int style) {
    messages.push_back({text, title, style});
    if (whileMessageShown)
        whileMessageShown(messages.back());
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return (style & MessageStyle::ButtonsMask) == MessageStyle::YesNo ? MessageAnswer::No
                                                                      : MessageAnswer::Ok;
}

int FakePlatform::openRequest(const std::string& target) {
    openRequests.push_back(target);
    if (openResults.empty())
        return 42;
    const int result = openResults.front();
    openResults.pop_front();
    return result;
}

int FakePlatform::directStart(const std::string& program, ShowStyle style) {
    starts.push_back({program, style});
    if (startResults.empty())
        return StartError::None;
    const int result = startResults.front();
    startResults.pop_front();
    return result;
}

bool FakePlatform::isOrdinaryFile(const std::string& path) {
    ordinaryFileQueries.push_back(path);
    return ordinaryFiles.count(path) > 0;
}

std::error_code FakePlatform::flushToDisk(const std::string&) {
    return {};
}

// Files are real, as the desktop back end has them.
FileStatus FakePlatform::fileStatus(const std::string& path, Links links) {
    return standard_files::fileStatus(path, links);
}

std::error_code FakePlatform::removeFile(const std::string& path) {
    return standard_files::removeFile(path);
}

std::error_code FakePlatform::truncateFile(const std::string& path, std::uint64_t size) {
    return standard_files::truncateFile(path, size);
}

void FakePlatform::copyAccess(const std::string& from, const std::string& to) {
    standard_files::copyAccess(from, to);
}

std::error_code FakePlatform::replaceFile(const std::string& from, const std::string& to) {
    if (replaceFailure) {
        const auto failure = replaceFailure;
        replaceFailure.clear();
        if (replaceFailureTakesTarget)
            std::filesystem::remove(to);
        return failure;
    }
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return error;
}

OpenedRegistryKey FakePlatform::openRegistryKey(std::uint32_t root, const std::string& keyName,
                                                std::uint32_t access) {
    registryOpenings.push_back({keyName, access});
    OpenedRegistryKey opened;
    if (registryBackEnd != nullptr) {
        opened = registryBackEnd->openRegistryKey(root, keyName, access);
    } else {
        const auto first = registry.lower_bound({root, keyName, std::string()});
        if (first == registry.end() || first->first.root != root || first->first.key != keyName)
            return {Registry::NotFound, 0};
        if ((access & ~grantedRegistryAccess) != 0)
            return {Registry::AccessDenied, 0};
        opened = {Registry::Success, nextHandle_++};
    }
    if (opened.status == Registry::Success) {
        handles_[opened.key] = {root, keyName};
        openRegistryKeys.insert(opened.key);
    }
    return opened;
}

RegistryValue FakePlatform::queryRegistryValue(RegistryKeyHandle key, const std::string& valueName,
                                               std::size_t bufferSize) {
    const auto handle = handles_.find(key);
    if (handle == handles_.end() || openRegistryKeys.count(key) == 0)
        return {6, 0, {}}; // an invalid handle
    registryQueries.push_back(handle->second.second + "\\" + valueName);
    registryBufferSizes.push_back(bufferSize);
    if (registryBackEnd != nullptr)
        return registryBackEnd->queryRegistryValue(key, valueName, bufferSize);
    const auto found = registry.find({handle->second.first, handle->second.second, valueName});
    if (found == registry.end())
        return {};
    if (found->second.status == Registry::Success && found->second.bytes.size() > bufferSize)
        return {Registry::MoreData, found->second.type, {}};
    return found->second;
}

void FakePlatform::closeRegistryKey(RegistryKeyHandle key) {
    openRegistryKeys.erase(key);
    if (registryBackEnd != nullptr)
        registryBackEnd->closeRegistryKey(key);
}

RegistryValue FakePlatform::textValue(const std::string& text, bool terminated,
                                      std::uint32_t type) {
    RegistryValue value{Registry::Success, type, {text.begin(), text.end()}};
    if (terminated)
        value.bytes.push_back(0);
    return value;
}

void FakePlatform::addTrayIcon(const TrayIconData&, TrayEventHandler onEvent) {
    trayRequests.push_back(0);
    trayCallback = std::move(onEvent);
}

void FakePlatform::deleteTrayIcon(const TrayIconData&) {
    trayRequests.push_back(2);
    trayCallback = nullptr;
}

void FakePlatform::trayEvent(TrayEvent::Kind kind, std::optional<ScreenPoint> place) {
    trayEvent(TrayEvent(kind, place));
}

void FakePlatform::trayEvent(const TrayEvent& event) {
    if (trayCallback)
        trayCallback(event);
}

} // namespace quivanto::testing
