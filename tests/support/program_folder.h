#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace velmora::testing {

// Two well-formed positions, and the list they give.
inline constexpr std::string_view TwoGroups =
    "[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny=5\r\nz=6\r\n";
inline constexpr std::wstring_view TwoEntries = L"1, 2, 3\r\n4, 5, 6";

// Wide text as a path, the way the core names files: UTF-16 on Windows, UTF-8 on
// Linux (where a wide path would go through the C locale, which knows only ASCII).
inline std::filesystem::path AsPath(std::wstring_view text) {
    if constexpr (sizeof(wchar_t) == 4)
        return std::u32string(text.begin(), text.end());
    else
        return std::wstring(text);
}

// A fresh program folder with an empty cleo subfolder, removed with its contents
// when the test ends. The suffix ends the folder's name (non-ASCII, long, nested).
class ProgramFolder {
  public:
    explicit ProgramFolder(std::wstring_view suffix = L"") {
        const auto name = "velmora-test-" + std::to_string(std::random_device()());
        const std::wstring top = (std::filesystem::temp_directory_path() / name).wstring();
        folder_ = top + std::wstring(suffix);
        top_ = AsPath(top + std::wstring(suffix.substr(0, suffix.find_first_of(L"/\\"))));
        std::filesystem::create_directories(AsPath(folder_) / "cleo");
    }
    ~ProgramFolder() {
        std::error_code ignored; // Windows keeps a read-only file
        std::filesystem::permissions(coordinateFile(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(top_, ignored);
    }

    std::wstring programFolder() const { return folder_; }
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
    std::wstring folder_;
    std::filesystem::path top_; // the folder this made below the temporary folder
};

} // namespace velmora::testing
