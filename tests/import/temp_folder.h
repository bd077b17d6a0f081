#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::testing {

// Two well-formed positions, and the list they give.
inline constexpr std::string_view TwoGroups =
    "[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny=5\r\nz=6\r\n";
inline constexpr std::wstring_view TwoEntries = L"1, 2, 3\r\n4, 5, 6";

// A fresh program folder with an empty cleo subfolder, removed with its
// contents when the test ends.
class TempFolder {
  public:
    explicit TempFolder(std::wstring_view nameSuffix = L"");
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    std::wstring programFolder() const { return root_.wstring(); }
    std::filesystem::path coordinateFile() const { return root_ / "cleo" / "Temp.INI"; }

    void WriteCoordinateFile(std::string_view bytes) const;
    std::string ReadCoordinateFile() const;

  private:
    std::filesystem::path root_;
};

} // namespace velmora::testing
