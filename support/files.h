#pragma once

// What the tests, the benchmarks and the fuzzers share: wide text as a path, a
// file's bytes, and a temporary folder.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::testing {

// Wide text as a path, the way the core names files: UTF-16 on Windows, UTF-32
// on Linux, which the path turns into UTF-8 (a wide path would go through the C
// locale, which knows only ASCII).
std::filesystem::path AsPath(std::wstring_view text);
std::wstring AsWide(const std::filesystem::path& path);

// The file's bytes; nothing where no regular file is.
std::optional<std::string> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

// A fresh folder below parent, removed with its contents when this goes.
class TempFolder {
  public:
    explicit TempFolder(
        const std::filesystem::path& parent = std::filesystem::temp_directory_path());
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::filesystem::path& path() const noexcept { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace velmora::testing
