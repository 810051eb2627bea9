#include "about/sys_info.h"

namespace quivanto {

void StartSysInfo(Platform& platform) {
    if (const auto tool = platform.systemInformationTool();
        tool && platform.directStart(*tool, ShowStyle::NormalActivate).started())
        return;
    const Message message = sysInfoUnavailableMessage();
    platform.messageBox(message.text, message.title, message.style);
}

Message sysInfoUnavailableMessage() {
    return {"System Information Is Unavailable At This Time", std::string(ApplicationTitle),
            PlainStyle};
}

} // namespace quivanto
