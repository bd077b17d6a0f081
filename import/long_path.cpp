#include "long_path.h"

#include <string_view>

namespace velmora {
namespace {

constexpr std::size_t MaxPath = 260; // including the terminating NUL

std::wstring WithSingleSeparators(std::wstring_view path) {
    std::wstring single;
    single.reserve(path.size());
    for (const wchar_t c : path) {
        if (c != L'\\' || single.empty() || single.back() != L'\\')
            single += c;
    }
    return single;
}

} // namespace

std::wstring LongPathForm(const std::wstring& path) {
    const std::wstring_view view = path;
    if (view.size() < MaxPath || view.starts_with(L"\\\\?\\"))
        return path;
    if (view.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + WithSingleSeparators(view.substr(2));
    return L"\\\\?\\" + WithSingleSeparators(view);
}

} // namespace velmora
