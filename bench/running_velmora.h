#pragma once

#include "velmora_process.h"

#include <windows.h>

#include <cstddef>
#include <filesystem>

namespace velmora::bench {

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
    HWND form() const noexcept { return process_.form(); }

  private:
    HWND Control(int id) const;

    testing::VelmoraProcess process_;
};

} // namespace velmora::bench
