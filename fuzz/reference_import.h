#pragma once

// A second, deliberately plain reading of the coordinate file, written apart
// from the import so the fuzzers can compare the two on any bytes.

#include "coordinate_error.h"
#include "window_model.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::fuzz {

// Windows-1252 as a Western Windows decodes it, derived from the C library's
// iconv rather than from the platform layer it checks; never fails.
std::wstring DecodeWindows1252(std::string_view bytes);

// What an import of the bytes must leave behind.
struct ExpectedImport {
    WindowModel model;
    std::size_t entries = 0;
    std::optional<ErrorKind> stop;
    std::size_t stopLine = 0;
};

// Imports bytes into a copy of before. Scaled values go through the core's
// ScaleBy16, which the scale fuzzer checks against the C library on its own.
ExpectedImport ReferenceImport(std::string_view bytes, const WindowModel& before,
                               std::wstring_view decimalSeparator);

} // namespace velmora::fuzz
