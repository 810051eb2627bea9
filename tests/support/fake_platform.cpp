#include "support/fake_platform.h"

namespace quivanto::testing {

MessageAnswer FakePlatform::messageBox(const std::string& text, const std::string& title,
                                       MessageStyle style) {
    messages.push_back({text, title, style});
    if (whileMessageShown)
        whileMessageShown(messages.back());
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return style.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

LaunchResult FakePlatform::openRequest(const std::string& target) {
    openRequests.push_back(target);
    if (openResults.empty())
        return {};
    const LaunchResult result = openResults.front();
    openResults.pop_front();
    return result;
}

LaunchResult FakePlatform::directStart(const std::string& program, ShowStyle style) {
    starts.push_back({program, style});
    if (startResults.empty())
        return {};
    const LaunchResult result = startResults.front();
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

ShortcutResult FakePlatform::registerGlobalShortcut(const ShortcutKeys& keys,
                                                    ShortcutHandler onPressed) {
    shortcutRegistrations.push_back(keys);
    if (shortcutAnswer == ShortcutResult::Registered)
        shortcutCallback = std::move(onPressed);
    return shortcutAnswer;
}

void FakePlatform::pressShortcut() {
    if (shortcutCallback)
        shortcutCallback();
}

} // namespace quivanto::testing
