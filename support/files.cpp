#include "files.h"

namespace velmora::testing {

std::filesystem::path AsPath(std::wstring_view text) {
    if constexpr (sizeof(wchar_t) == 4)
        return std::u32string(text.begin(), text.end());
    else
        return std::wstring(text);
}

std::wstring AsWide(const std::filesystem::path& path) {
    if constexpr (sizeof(wchar_t) == 4) {
        const std::u32string text = path.u32string();
        return {text.begin(), text.end()};
    } else {
        return path.wstring();
    }
}

} // namespace velmora::testing
