#pragma once

#include "platform.h"
#include "texts.h"

#include <string_view>

namespace velmora {

// A failed system call as the user reads it: "What failed: the explanation."
platform::SystemError SystemFailure(std::wstring_view whatFailed, std::wstring_view explanation);

// Throws the SystemFailure of GetLastError(), or of reasonIfNone where the
// failed call set no error.
[[noreturn]] void ThrowLastError(std::wstring_view whatFailed,
                                 std::wstring_view reasonIfNone = NoReasonGiven);

} // namespace velmora
