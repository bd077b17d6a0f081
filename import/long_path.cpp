#include "long_path.h"

#include <algorithm>

namespace velmora {

std::wstring LongPathForm(const std::wstring& path) {
    constexpr std::size_t MaxPath = 260; // including the terminating NUL
    if (path.size() < MaxPath || path.starts_with(L"\\\\?\\"))
        return path;
    const bool network = path.starts_with(L"\\\\"); // \\server\share\...
    std::wstring names = path.substr(network ? 2 : 0);
    const auto doubled = [](wchar_t a, wchar_t b) { return a == L'\\' && b == L'\\'; };
    names.erase(std::unique(names.begin(), names.end(), doubled), names.end());
    return (network ? L"\\\\?\\UNC\\" : L"\\\\?\\") + names;
}

} // namespace velmora
