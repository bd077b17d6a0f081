#pragma once

#include <string_view>

namespace velmora {

// Throws platform::SystemError saying what failed, with the system's explanation
// of GetLastError().
[[noreturn]] void ThrowLastError(std::wstring_view whatFailed);

} // namespace velmora
