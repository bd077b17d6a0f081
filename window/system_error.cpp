#include "system_error.h"

#include <string>

namespace velmora {

platform::SystemError SystemFailure(std::wstring_view whatFailed, std::wstring_view explanation) {
    return platform::SystemError(std::wstring(whatFailed) + L": " + std::wstring(explanation) +
                                 L".");
}

void ThrowLastError(std::wstring_view whatFailed, std::wstring_view reasonIfNone) {
    const std::wstring explanation = platform::LastErrorExplanation();
    throw SystemFailure(whatFailed, explanation.empty() ? reasonIfNone : explanation);
}

} // namespace velmora
