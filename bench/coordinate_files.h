#pragma once

#include "files.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>

namespace velmora::bench {

// Generated coordinate files by number of groups, each written once on first
// use into a temporary directory that goes with this object.
class CoordinateFiles {
  public:
    const std::filesystem::path& PathFor(std::size_t groups);
    std::uintmax_t SizeOf(std::size_t groups) {
        return std::filesystem::file_size(PathFor(groups));
    }

  private:
    testing::TempFolder directory_;
    std::map<std::size_t, std::filesystem::path> paths_;
};

} // namespace velmora::bench
