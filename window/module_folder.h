#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace velmora {

// Writes the program file's full name as GetModuleFileNameW(nullptr, ...) does:
// returns its length, or the buffer's size when the name was cut short, or 0.
using ModuleFileName = std::function<DWORD(wchar_t* buffer, DWORD size)>;

// The folder holding the program's file, at any length: no trailing backslash,
// except at a drive's root ("C:\", "\\?\C:\"). Throws platform::SystemError.
std::wstring ModuleFolder(const ModuleFileName& moduleFileName);

} // namespace velmora
