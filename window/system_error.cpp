#include "system_error.h"

#include "platform.h"

#include <windows.h>

#include <string>

namespace velmora {
namespace {

std::wstring SystemExplanation(DWORD code) {
    wchar_t text[512] = {};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text, static_cast<DWORD>(std::size(text)), nullptr);
    std::wstring explanation(text, length);
    while (!explanation.empty() && (explanation.back() == L'\n' || explanation.back() == L'\r'))
        explanation.pop_back();
    if (explanation.empty())
        explanation = L"system error " + std::to_wstring(code) + L".";
    return explanation;
}

} // namespace

void ThrowLastError(std::wstring_view whatFailed) {
    const DWORD code = GetLastError();
    throw platform::SystemError(std::wstring(whatFailed) + L": " + SystemExplanation(code));
}

} // namespace velmora
