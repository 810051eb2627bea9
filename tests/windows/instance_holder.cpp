// The other copy of the program for the single-instance test: claims the instance, tells
// the test it is ready, and holds the claim until the test releases it.
// Exit code: 0 when it was the first copy, 1 when it found another, 2 on a test fault.
#include "platform/win32/win32_platform.h"

#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (ready == nullptr || release == nullptr)
        return 2;
    quivanto::Win32Platform platform;
    const bool another = platform.previousInstanceRunning();
    SetEvent(ready);
    WaitForSingleObject(release, 30000);
    return another ? 1 : 0;
}
