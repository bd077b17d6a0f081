#pragma once

#include "files.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::testing {

// Two well-formed positions, and the list they give.
inline constexpr std::string_view TwoGroups =
    "[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny=5\r\nz=6\r\n";
inline constexpr std::wstring_view TwoEntries = L"1, 2, 3\r\n4, 5, 6";

// A fresh program folder with an empty cleo subfolder, removed with its contents
// when the test ends. The suffix ends the folder's name (non-ASCII, long, nested).
class ProgramFolder {
  public:
    explicit ProgramFolder(std::wstring_view suffix = L"")
        : folder_(AsWide(temp_.path() / "program") + std::wstring(suffix)) {
        std::filesystem::create_directories(AsPath(folder_) / "cleo");
    }

    std::wstring programFolder() const { return folder_; }
    std::wstring coordinatePath() const { return AsWide(coordinateFile()); }
    std::filesystem::path coordinateFile() const { return AsPath(folder_) / "cleo" / "Temp.INI"; }
    void Write(std::string_view bytes) const { WriteBytes(coordinateFile(), bytes); }
    std::optional<std::string> Read() const { return ReadBytes(coordinateFile()); }

  private:
    TempFolder temp_;
    std::wstring folder_;
};

} // namespace velmora::testing
