#include "files.h"

#include <fstream>
#include <iterator>
#include <random>

namespace velmora::testing {

std::filesystem::path AsPath(std::wstring_view text) {
    if constexpr (sizeof(wchar_t) == 4)
        return std::u32string(text.begin(), text.end());
    else
        return std::wstring(text);
}

std::wstring AsWide(const std::filesystem::path& path) {
    if constexpr (sizeof(wchar_t) == 4) {
        const std::u32string text = path.u32string();
        return {text.begin(), text.end()};
    } else {
        return path.wstring();
    }
}

std::optional<std::string> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in || !std::filesystem::is_regular_file(file))
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

TempFolder::TempFolder(const std::filesystem::path& parent) {
    std::random_device random;
    do
        path_ = parent / ("velmora-" + std::to_string(random()));
    while (!std::filesystem::create_directory(path_));
}

TempFolder::~TempFolder() {
    std::error_code ignored; // a leftover temporary folder must not end the run
    std::filesystem::remove_all(path_, ignored);
}

} // namespace velmora::testing
