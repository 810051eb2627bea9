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
    return ordinaryFiles.count(path) > 0;
}

std::error_code FakePlatform::flushToDisk(const std::filesystem::path&) {
    return {};
}

std::error_code FakePlatform::replaceFile(const std::filesystem::path& from,
                                          const std::filesystem::path& to) {
    if (replaceFailure) {
        const auto failure = replaceFailure;
        replaceFailure.clear();
        return failure;
    }
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return error;
}

RegistryValue FakePlatform::queryRegistryValue(std::uint32_t root, const std::string& keyName,
                                               const std::string& valueName, std::uint32_t,
                                               std::size_t) {
    registryQueries.push_back(keyName + "\\" + valueName);
    const auto found = registry.find({root, keyName, valueName});
    return found != registry.end() ? found->second : RegistryValue{};
}

void FakePlatform::addTrayIcon(const TrayIconData&, std::function<void(int code)> onEvent) {
    trayRequests.push_back(0);
    trayCallback = std::move(onEvent);
}

void FakePlatform::deleteTrayIcon(const TrayIconData&) {
    trayRequests.push_back(2);
    trayCallback = nullptr;
}

void FakePlatform::trayEvent(int code) {
    if (trayCallback)
        trayCallback(code);
}

} // namespace quivanto::testing
