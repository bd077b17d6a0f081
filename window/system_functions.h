#pragma once

#include <windows.h>

#include <functional>

namespace velmora {

// Every Windows function Velmora looks up at run time, in one place: those
// that older Windows versions lack, and those of DLLs that Windows does not
// always take from System32. Null where absent. Form1 takes them as a value,
// so that a test can make any of them absent or failing and run the
// Windows 7, 8.1 and 10 paths wherever it runs. Here too are those whose
// effect only Windows shows, so that a test sees them called.
struct SystemFunctions {
    // kernel32: Windows 8, and Windows 7 with update KB2533623.
    BOOL(WINAPI* setDefaultDllDirectories)(DWORD) = nullptr;
    // user32: Windows 10 1607.
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    UINT(WINAPI* getDpiForSystem)() = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    BOOL(WINAPI* enableNonClientDpiScaling)(HWND) = nullptr;
    // shcore: Windows 8.1.
    HRESULT(WINAPI* getDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
    // Direct Annotation of a control's accessible name through oleacc's COM
    // service: S_OK once annotated. The thread needs COM (ComApartment).
    HRESULT (*annotateName)(HWND control, const wchar_t* name) = nullptr;
    HRESULT (*clearAnnotatedName)(HWND control) = nullptr;
    // user32: Windows XP.
    void(WINAPI* disableWindowsGhosting)() = nullptr;
};

// Loads a DLL as LoadLibraryExW does. A test passes its own to make a DLL
// absent, or to answer as Windows 7 without KB2533623 does.
using DllLoader = std::function<HMODULE(const wchar_t* name, DWORD flags)>;

// Looks every function up, loading shcore from System32 only.
SystemFunctions LookUpSystemFunctions(const DllLoader& load);

// The program's functions, looked up on first use and kept for the process.
const SystemFunctions& ProcessSystemFunctions();

// From now on the process loads every DLL named without a path from System32
// only, never from the program's folder, where anyone may drop one. The first
// use of ProcessSystemFunctions does it too.
void RestrictDllSearch();

} // namespace velmora
