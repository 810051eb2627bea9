// Holds Wine's desktop open while the tests run. Wine closes its desktop process (and the
// tray with it) once the last program that used it has ended; under a persistent server
// it does not come back for the next program. run_windows_tests.sh starts this first and
// ends it last.
#include <windows.h>

int main() {
    GetDesktopWindow();
    for (;;)
        Sleep(INFINITE);
}
