#pragma once

#include "unique_handle.h"

#include <windows.h>

#include <filesystem>
#include <vector>

namespace velmora::ui {

// A running velmora.exe, killed when the object goes so no test leaves one behind.
class VelmoraProcess {
  public:
    // The working folder differs from the program folder on purpose: the program
    // must find its file beside its executable, not in the current folder.
    VelmoraProcess(const std::filesystem::path& executable,
                   const std::filesystem::path& workingFolder);
    VelmoraProcess(const VelmoraProcess&) = delete;
    VelmoraProcess& operator=(const VelmoraProcess&) = delete;
    ~VelmoraProcess();

    DWORD id() const noexcept { return id_; }
    bool Running() const;

    // Form1, found by class and process: a message box shares its caption.
    HWND WaitForMainWindow() const;

  private:
    UniqueHandle process_;
    DWORD id_ = 0;
};

// The visible top-level windows of a process with the given class, in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* windowClass);

} // namespace velmora::ui
