#include "program_folder.h"

#include "driver_error.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace velmora::ui {
namespace fs = std::filesystem;

namespace {

fs::path CreateUniqueFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / (L"velmora-ui-" + std::to_wstring(GetCurrentProcessId()) +
                                         L"-" + std::to_wstring(random()));
        if (fs::create_directory(candidate))
            return candidate;
    }
    throw DriverError("no unique temporary folder could be created");
}

// The build passes a path of the build machine; under Wine a Unix path is
// reached through drive Z:.
fs::path ToWindowsPath(std::string path) {
    if (!path.empty() && path.front() == '/') {
        for (char& c : path)
            c = c == '/' ? '\\' : c;
        path = "Z:" + path;
    }
    return fs::path(path);
}

} // namespace

fs::path BuiltExecutable() {
    return ToWindowsPath(VELMORA_EXE);
}
fs::path BuiltProbeLibrary() {
    return ToWindowsPath(VELMORA_UI_PROBE);
}

ProgramFolder::ProgramFolder(std::wstring_view name)
    : root_(CreateUniqueFolder()), folder_(root_ / name) {
    fs::create_directories(folder_);
    fs::copy_file(BuiltExecutable(), Executable());
}

ProgramFolder::~ProgramFolder() {
    // A killed process may hold its .exe for a moment after it has ended.
    for (int attempt = 0; attempt < 50; ++attempt) {
        std::error_code error;
        fs::remove_all(root_, error);
        if (!error)
            return;
        Sleep(20);
    }
}

void ProgramFolder::WriteCoordinateFile(std::string_view bytes) const {
    fs::create_directories(CoordinateFile().parent_path());
    std::ofstream file(CoordinateFile(), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush())
        throw DriverError("the coordinate file could not be written");
}

std::optional<std::string> ProgramFolder::ReadCoordinateFile() const {
    std::ifstream file(CoordinateFile(), std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void ProgramFolder::RemoveCoordinateFile() const {
    fs::remove(CoordinateFile());
}

} // namespace velmora::ui
