#include "system_functions.h"

#include <oleacc.h>

#include <string>

namespace velmora {
namespace {

template <typename Function> void Look(Function& function, HMODULE module, const char* name) {
    if (module == nullptr)
        return;
    // Through a generic function pointer: a direct cast trips -Wcast-function-type.
    function =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

// Windows 7 without KB2533623 knows no LOAD_LIBRARY_SEARCH_SYSTEM32 and
// answers ERROR_INVALID_PARAMETER; there the DLL is named by its full path,
// and its own imports are searched for beside it rather than beside us.
HMODULE LoadSystemDll(const DllLoader& load, const wchar_t* name) {
    const HMODULE module = load(name, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER)
        return module;
    const std::wstring folder = SystemFolder();
    if (folder.empty())
        return nullptr;
    return load((folder + L"\\" + name).c_str(), LOAD_WITH_ALTERED_SEARCH_PATH);
}

// The annotation service lives in oleacc, which COM loads by its registered full path.
IAccPropServices* AnnotationService() {
    IAccPropServices* service = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&service))))
        return nullptr;
    return service;
}

HRESULT AnnotateName(HWND control, const wchar_t* name) {
    IAccPropServices* const service = AnnotationService();
    if (service == nullptr)
        return E_NOINTERFACE;
    const HRESULT result =
        service->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, name);
    service->Release();
    return result;
}

HRESULT ClearAnnotatedName(HWND control) {
    IAccPropServices* const service = AnnotationService();
    if (service == nullptr)
        return E_NOINTERFACE;
    const HRESULT result =
        service->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &PROPID_ACC_NAME, 1);
    service->Release();
    return result;
}

// Those of kernel32 and user32, which are loaded with the program and stay.
SystemFunctions FunctionsInMemory() {
    SystemFunctions system;
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    Look(system.setDefaultDllDirectories, kernel32, "SetDefaultDllDirectories");
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    Look(system.getDpiForWindow, user32, "GetDpiForWindow");
    Look(system.getDpiForSystem, user32, "GetDpiForSystem");
    Look(system.adjustWindowRectExForDpi, user32, "AdjustWindowRectExForDpi");
    Look(system.enableNonClientDpiScaling, user32, "EnableNonClientDpiScaling");
    system.annotateName = &AnnotateName;
    system.clearAnnotatedName = &ClearAnnotatedName;
    system.disableWindowsGhosting = &DisableProcessWindowsGhosting;
    return system;
}

} // namespace

SystemFunctions LookUpSystemFunctions(const DllLoader& load) {
    SystemFunctions system = FunctionsInMemory();
    // Loaded once and kept: its function is used for the life of the process.
    Look(system.getDpiForMonitor, LoadSystemDll(load, L"shcore.dll"), "GetDpiForMonitor");
    return system;
}

const SystemFunctions& ProcessSystemFunctions() {
    static const SystemFunctions system = [] {
        RestrictDllSearch(); // before the lookup loads anything
        return LookUpSystemFunctions(
            [](const wchar_t* name, DWORD flags) { return LoadLibraryExW(name, nullptr, flags); });
    }();
    return system;
}

void RestrictDllSearch() {
    // Where that cannot be had, at least the current folder leaves the search.
    // Neither failing changes what the user sees, so neither is reported.
    const auto restrict = FunctionsInMemory().setDefaultDllDirectories;
    if (restrict == nullptr || !restrict(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryW(L"");
}

} // namespace velmora
