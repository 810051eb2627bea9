#pragma once

#include "core/message.h"
#include "platform/platform.h"

// Starting the system's own system information tool.
namespace quivanto {

// Starts the tool where the system says it is; tells the user when there is none or
// starting it fails.
void StartSysInfo(Platform& platform);

Message sysInfoUnavailableMessage();

} // namespace quivanto
