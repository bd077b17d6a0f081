#include "long_path.h"

#include <algorithm>
#include <string_view>

namespace velmora {

std::wstring LongPathForm(const std::wstring& path) {
    constexpr std::size_t MaxPath = 260; // including the terminating NUL
    constexpr std::wstring_view Prefix = L"\\\\?\\";
    const bool prefixed = path.starts_with(Prefix);
    if (path.size() < MaxPath && !prefixed)
        return path;
    // \\.\C:\... is a device path like \\?\C:\..., not the share "C:" of a server ".".
    const bool device = prefixed || path.starts_with(L"\\\\.\\");
    const bool network = !device && path.starts_with(L"\\\\"); // \\server\share\...
    std::wstring names = path.substr(device ? Prefix.size() : network ? 2 : 0);
    const auto doubled = [](wchar_t a, wchar_t b) { return a == L'\\' && b == L'\\'; };
    names.erase(std::unique(names.begin(), names.end(), doubled), names.end());
    return std::wstring(Prefix) + (network ? L"UNC\\" : L"") + names;
}

} // namespace velmora
