#pragma once

#include "files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace velmora::testing {

// Two well-formed positions, and the list they give.
inline constexpr std::string_view TwoGroups =
    "[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny=5\r\nz=6\r\n";
inline constexpr std::wstring_view TwoEntries = L"1, 2, 3\r\n4, 5, 6";

// A fresh program folder with an empty cleo subfolder in the temporary folder,
// removed with its contents when this goes. The suffix ends the folder's name
// (non-ASCII, long, nested).
class ProgramFolder {
  public:
    explicit ProgramFolder(std::wstring_view suffix = L"") {
        std::random_device random;
        do
            root_ =
                std::filesystem::temp_directory_path() / ("velmora-" + std::to_string(random()));
        while (!std::filesystem::create_directory(root_));
        folder_ = AsWide(root_ / "program") + std::wstring(suffix);
        std::filesystem::create_directories(AsPath(folder_) / "cleo");
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;
    ~ProgramFolder() {
        std::error_code ignored; // a leftover temporary folder must not end the run
        std::filesystem::remove_all(root_, ignored);
    }

    std::wstring programFolder() const { return folder_; }
    std::wstring coordinatePath() const { return AsWide(coordinateFile()); }
    std::filesystem::path coordinateFile() const { return AsPath(folder_) / "cleo" / "Temp.INI"; }
    void Write(std::string_view bytes) const {
        std::ofstream(coordinateFile(), std::ios::binary) << bytes;
    }
    // The file's bytes; nothing where no regular file is.
    std::optional<std::string> Read() const {
        std::ifstream in(coordinateFile(), std::ios::binary);
        if (!in || !std::filesystem::is_regular_file(coordinateFile()))
            return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

  private:
    std::filesystem::path root_;
    std::wstring folder_;
};

} // namespace velmora::testing
