#pragma once

#include <cstdio>
#include <cstdlib>

namespace quivanto::fuzz {

// A broken promise of the code under test: say which, and abort so libFuzzer keeps the input.
inline void check(bool kept, const char* promise) {
    if (kept)
        return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

} // namespace quivanto::fuzz
