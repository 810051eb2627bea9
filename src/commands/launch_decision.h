#pragma once

#include "platform/platform.h"

#include <optional>
#include <string_view>

// Launching a target: the desktop's open action first, the target started as a program
// when that fails.
namespace quivanto {

class Platform;
struct Message;

enum class LaunchOutcome {
    Launched,     // the list window hides
    NotFound,     // the direct start found no such file
    NoTextEditor, // the item names the system's text editor, and this system has none
    Failed        // any other failure, carried by its code
};

struct LaunchResult {
    LaunchOutcome outcome = LaunchOutcome::Launched;
    int code = 0;

    bool operator==(const LaunchResult&) const = default;
};

LaunchResult launchTarget(Platform& platform, std::string_view target);

// What the user is told about a launch of the item line `line`; nothing after a launch.
std::optional<Message> launchMessage(const LaunchResult& result, std::string_view line,
                                     const TextEncoding& encoding = {});

} // namespace quivanto
