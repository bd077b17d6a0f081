#pragma once

#include <string>

namespace velmora {

// The path as the file functions take it. From MAX_PATH (260) characters on,
// Windows refuses a plain path unless long paths are enabled system-wide, and
// takes it only in the \\?\ form (\\?\UNC\server\share\... for a network
// folder; \\?\C:\... for a device path \\.\C:\...). That form is not
// normalised, so a separator doubled by joining a drive's root with
// "\cleo\Temp.INI" is made single there, also in a path that came in that form
// (a program started as \\?\C:\velmora.exe). Shorter paths stand as they are.
std::wstring LongPathForm(const std::wstring& path);

} // namespace velmora
