#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::ui {

// A fresh program folder under the temporary folder holding a copy of velmora.exe,
// with the coordinate file at cleo\Temp.INI beside it. Removed with everything
// in it when the object goes.
class ProgramFolder {
  public:
    explicit ProgramFolder(std::wstring_view name = L"Velmora");
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;
    ~ProgramFolder();

    const std::filesystem::path& path() const noexcept { return folder_; }
    std::filesystem::path Executable() const { return folder_ / L"velmora.exe"; }
    std::filesystem::path CoordinateFile() const { return folder_ / L"cleo" / L"Temp.INI"; }

    // Writes the bytes as they stand (the file is 8-bit text with CR LF lines).
    void WriteCoordinateFile(std::string_view bytes) const;
    // The file's bytes, or nothing when it does not exist.
    std::optional<std::string> ReadCoordinateFile() const;
    void RemoveCoordinateFile() const;

  private:
    std::filesystem::path root_; // unique per test, so runs never meet
    std::filesystem::path folder_;
};

// The velmora.exe under test, as built beside this driver.
std::filesystem::path BuiltExecutable();
// The hook library that reads Form1 from inside velmora.exe (in_process_probe.h).
std::filesystem::path BuiltProbeLibrary();

} // namespace velmora::ui
