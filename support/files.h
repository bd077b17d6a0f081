#pragma once

// Wide text as a path, the way the core names files: UTF-16 on Windows, UTF-32
// on Linux, which the path turns into UTF-8 (a wide path would go through the C
// locale, which knows only ASCII). Shared by the tests, the benchmarks and the
// fuzzers.

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::testing {

std::filesystem::path AsPath(std::wstring_view text);
std::wstring AsWide(const std::filesystem::path& path);

} // namespace velmora::testing
