#pragma once

#include "unique_handle.h"

#include <windows.h>

#include <cstddef>
#include <filesystem>

namespace velmora::bench {

// Ends the process if it still runs, then closes the handle.
inline void EndProcess(HANDLE process) noexcept {
    TerminateProcess(process, 1);
    CloseHandle(process);
}
using UniqueProcess = UniqueHandle<HANDLE, &EndProcess>;

// velmora.exe started for timing, its Form1 found; closed when this goes.
class RunningVelmora {
  public:
    explicit RunningVelmora(const std::filesystem::path& executable);
    RunningVelmora(const RunningVelmora&) = delete;
    RunningVelmora& operator=(const RunningVelmora&) = delete;
    ~RunningVelmora();

    // Empties the list, then times a click on Refresh until the list is painted.
    double TimeRefresh();
    std::size_t ListLength() const;

  private:
    HWND Control(int id) const;

    UniqueProcess process_;
    HWND form_ = nullptr;
};

} // namespace velmora::bench
