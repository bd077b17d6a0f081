#include "temp_folder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace velmora::testing {

TempFolder::TempFolder(std::wstring_view nameSuffix) {
    std::random_device random;
    root_ = std::filesystem::temp_directory_path() /
            (L"velmora-test-" + std::to_wstring(random()) + std::wstring(nameSuffix));
    std::filesystem::create_directories(root_ / "cleo");
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(coordinateFile(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
}

void TempFolder::WriteCoordinateFile(std::string_view bytes) const {
    std::ofstream out(coordinateFile(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write the coordinate file");
}

std::string TempFolder::ReadCoordinateFile() const {
    std::ifstream in(coordinateFile(), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read the coordinate file");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace velmora::testing
