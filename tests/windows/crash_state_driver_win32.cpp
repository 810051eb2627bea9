#include "platform/win32/win32_platform.h"
#include "reliability/crash_state_driver.h"

int main(int argc, char* argv[]) {
    quivanto::Win32Platform platform;
    return quivanto::runCrashStateDriver(platform, argc, argv);
}
