#include "commands/launch_decision.h"

#include "commands/command_messages.h"
#include "commands/failure_code.h"

#include <string>

namespace quivanto {

LaunchResult launchTarget(Platform& platform, std::string_view target) {
    const std::string path(target);
    if (platform.openRequest(path).started())
        return {};
    return platform.directStart(path, ShowStyle::NormalNoActivate);
}

std::optional<Message> launchMessage(const LaunchResult& result, std::string_view line,
                                     const TextEncoding& encoding) {
    switch (result.status) {
    case LaunchStatus::Started:
        return std::nullopt;
    case LaunchStatus::NotFound:
        return fileNotFoundMessage(line, encoding);
    case LaunchStatus::NoProgramForFile:
        return noTextEditorMessage(line, encoding);
    case LaunchStatus::AccessRefused:
    case LaunchStatus::Other:
        break;
    }
    return unexpectedErrorMessage(failureCodeFor(result));
}

} // namespace quivanto
