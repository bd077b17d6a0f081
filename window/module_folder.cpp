#include "module_folder.h"

#include "system_error.h"

namespace velmora {

std::wstring ModuleFolder(const ModuleFileName& moduleFileName) {
    // No MAX_PATH limit: a name cut short fills the whole buffer, which then grows.
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = moduleFileName(path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    if (length == 0)
        ThrowLastError(FindFolderFailed);
    path.resize(length);
    std::wstring folder = path.substr(0, path.find_last_of(L"\\/"));
    if (folder.ends_with(L':'))
        folder += L'\\';
    return folder;
}

} // namespace velmora
