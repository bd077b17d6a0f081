#pragma once

// Wide text as a path, the way the core names files: UTF-16 on Windows, UTF-32
// on Linux, which the path turns into UTF-8 (a wide path would go through the C
// locale, which knows only ASCII). Shared by the tests, the benchmarks and the
// fuzzers.

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::testing {

inline std::filesystem::path AsPath(std::wstring_view text) {
    if constexpr (sizeof(wchar_t) == 4)
        return std::u32string(text.begin(), text.end());
    else
        return std::wstring(text);
}

inline std::wstring AsWide(const std::filesystem::path& path) {
    if constexpr (sizeof(wchar_t) == 4) {
        const std::u32string text = path.u32string();
        return {text.begin(), text.end()};
    } else {
        return path.wstring();
    }
}

} // namespace velmora::testing
