#include "window_text.h"

#include <vector>

namespace velmora::ui {

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result))
        throw DriverError("the program did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

std::wstring WindowText(HWND window) {
    const auto length = static_cast<std::size_t>(SendTo(window, WM_GETTEXTLENGTH));
    std::vector<wchar_t> buffer(length + 1);
    const auto copied = static_cast<std::size_t>(
        SendTo(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data())));
    return std::wstring(buffer.data(), copied);
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<std::size_t>(length));
}

std::string Utf8(std::wstring_view text) {
    const int wideLength = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, result.data(), length, nullptr,
                        nullptr);
    return result;
}

} // namespace velmora::ui
