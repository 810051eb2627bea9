#include "commands/launch_decision.h"

#include "commands/command_messages.h"
#include "platform/platform.h"

#include <string>

namespace quivanto {

LaunchResult launchTarget(Platform& platform, std::string_view target) {
    const std::string path(target);
    if (platform.openRequest(path) > OpenRequestFailureLimit)
        return {};
    const int started = platform.directStart(path, ShowStyle::NormalNoActivate);
    if (started == StartError::None)
        return {};
    if (started == StartError::FileNotFound)
        return {LaunchOutcome::NotFound, started};
    if (started == StartError::NoTextEditor)
        return {LaunchOutcome::NoTextEditor, started};
    return {LaunchOutcome::Failed, started};
}

std::optional<Message> launchMessage(const LaunchResult& result, std::string_view line,
                                     const TextEncoding& encoding) {
    switch (result.outcome) {
    case LaunchOutcome::Launched:
        break;
    case LaunchOutcome::NotFound:
        return fileNotFoundMessage(line, encoding);
    case LaunchOutcome::NoTextEditor:
        return noTextEditorMessage(line, encoding);
    case LaunchOutcome::Failed:
        return unexpectedErrorMessage(result.code);
    }
    return std::nullopt;
}

} // namespace quivanto
