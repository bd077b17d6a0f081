#pragma once

#include <filesystem>

namespace velmora::bench {

// A fresh directory under the system's temporary folder, removed with its
// contents when the object goes.
class TempDirectory {
  public:
    TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    ~TempDirectory();

    const std::filesystem::path& path() const noexcept { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace velmora::bench
