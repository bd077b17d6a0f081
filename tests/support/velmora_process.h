#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>

namespace velmora::testing {

// A velmora.exe started from outside, as a user starts it, with its Form1
// found. Ended when this goes, if it still runs. Shared by the smoke test and
// the Refresh timing in bench/.
class VelmoraProcess {
  public:
    // The working folder may differ from the program's own on purpose: the
    // program must find its file beside its executable. showCommand is what a
    // shortcut's "Run:" setting asks for.
    VelmoraProcess(const std::filesystem::path& executable,
                   const std::filesystem::path& workingFolder, int showCommand = SW_SHOWDEFAULT);
    VelmoraProcess(const VelmoraProcess&) = delete;
    VelmoraProcess& operator=(const VelmoraProcess&) = delete;
    ~VelmoraProcess();

    HWND form() const noexcept { return form_; }

    // The message box the program shows, once it has appeared; nullptr if none does.
    HWND WaitForMessageBox() const;

    // The exit code once the process has ended, or nothing after the timeout.
    std::optional<DWORD> WaitForExit(DWORD milliseconds) const;

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    HWND form_ = nullptr;
};

} // namespace velmora::testing
