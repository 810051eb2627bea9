#include "crash_state_driver.h"
#include "platform/desktop/desktop_platform.h"

int main(int argc, char* argv[]) {
    quivanto::DesktopPlatform platform;
    return quivanto::runCrashStateDriver(platform, argc, argv);
}
