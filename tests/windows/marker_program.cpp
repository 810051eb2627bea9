// Started by the direct-start tests. Leaves "<its own path>.ran" behind, holding what it
// was started with, so a test can tell which program ran and how.
#include <windows.h>

#include <cstdio>

int main() {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length + 5 > MAX_PATH)
        return 1;
    char marker[MAX_PATH];
    std::snprintf(marker, sizeof marker, "%s.ran", self);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    // Written whole to a scratch name first: a test polling for the marker never reads it
    // half written.
    char scratch[MAX_PATH + 4];
    std::snprintf(scratch, sizeof scratch, "%s.tmp", marker);
    std::FILE* out = std::fopen(scratch, "wb");
    if (out == nullptr)
        return 1;
    std::fprintf(out, "flags=%lu\nshow=%u\ncommand=%s\n", startup.dwFlags,
                 static_cast<unsigned>(startup.wShowWindow), GetCommandLineA());
    std::fclose(out);
    return MoveFileExA(scratch, marker, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
