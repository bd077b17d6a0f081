#pragma once

#include <cstdio>
#include <cstdlib>

namespace velmora::fuzz {

// A broken invariant is a finding: say which, and let libFuzzer keep the input.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void Check(bool holds, const char* what) {
    if (!holds)
        Fail(what);
}

} // namespace velmora::fuzz
