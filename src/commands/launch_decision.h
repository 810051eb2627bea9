#pragma once

#include "platform/platform.h"

#include <optional>
#include <string_view>

// Launching a target: the desktop's open action first, the target started as a program
// when that fails.
namespace quivanto {

struct Message;

// Started when either way started it; otherwise how the direct start failed.
LaunchResult launchTarget(Platform& platform, std::string_view target);

// What the user is told about a launch of the item line `line`; nothing after a launch.
// A target the system has no program for names the text editor the system lacks.
std::optional<Message> launchMessage(const LaunchResult& result, std::string_view line,
                                     const TextEncoding& encoding = {});

} // namespace quivanto
