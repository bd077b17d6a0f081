#pragma once
// TEMPORARY stand-in until the core suite's support library lands.
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace velmora::testing {

inline constexpr std::string_view TwoGroups =
    "[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny=5\r\nz=6\r\n";
inline constexpr std::wstring_view TwoEntries = L"1, 2, 3\r\n4, 5, 6";

class ProgramFolder {
  public:
    explicit ProgramFolder(std::wstring_view suffix = L"") {
        root_ = std::filesystem::temp_directory_path() /
                (L"velmora-test-" + std::to_wstring(std::random_device()()) + std::wstring(suffix));
        std::filesystem::create_directories(root_ / "cleo");
    }
    ~ProgramFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::wstring programFolder() const { return root_.wstring(); }
    std::filesystem::path coordinateFile() const { return root_ / "cleo" / "Temp.INI"; }
    void Write(std::string_view bytes) const {
        std::ofstream(coordinateFile(), std::ios::binary) << bytes;
    }
    std::optional<std::string> Read() const {
        std::ifstream in(coordinateFile(), std::ios::binary);
        if (!in)
            return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

  private:
    std::filesystem::path root_;
};

} // namespace velmora::testing
