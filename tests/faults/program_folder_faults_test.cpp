// The program may be installed anywhere: deep below the 260-character limit of
// old Windows programs, or in a folder whose name is not in the ANSI code page.
// Refresh and Clear work there as anywhere else.
#include "coordinate_file.h"
#include "entry_list.h"
#include "file_bytes.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace velmora {
namespace {

using testing::FileBytes;
using testing::TempFolder;

using testing::TwoGroups;

struct FolderCase {
    const char* name;
    std::wstring (*below)(); // the program folder's path below a fresh temporary folder
};

void PrintTo(const FolderCase& c, std::ostream* out) {
    *out << c.name;
}

class ProgramFolderFaults : public ::testing::TestWithParam<FolderCase> {};

#ifdef _WIN32
constexpr wchar_t Separator = L'\\';
std::filesystem::path AsPath(const std::wstring& text) {
    return text;
}
#else
constexpr wchar_t Separator = L'/';
// Linux names are UTF-8 bytes, as the core writes them; std::filesystem would
// convert wide text through the C library's locale, which knows only ASCII here.
std::filesystem::path AsPath(const std::wstring& text) {
    std::u8string utf8;
    for (const wchar_t wide : text) {
        const auto c = static_cast<char32_t>(wide);
        const int extra = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        constexpr char32_t Lead[] = {0x00, 0xC0, 0xE0, 0xF0};
        utf8 += static_cast<char8_t>(Lead[extra] | (c >> (6 * extra)));
        for (int k = extra - 1; k >= 0; --k)
            utf8 += static_cast<char8_t>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return utf8;
}
#endif

TEST_P(ProgramFolderFaults, RefreshAndClearWork) {
    TempFolder temporary;
    std::wstring folder = temporary.programFolder() + Separator + GetParam().below();
    std::replace(folder.begin(), folder.end(), L'/', Separator);
    const std::filesystem::path file = AsPath(folder) / "cleo" / "Temp.INI";
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << TwoGroups;
    ASSERT_EQ(FileBytes(file), TwoGroups);

    WindowModel model;
    FileSlot slot;
    ASSERT_EQ(Refresh(folder, model, slot), Status::Done);
    EXPECT_EQ(model.Text4, L"1, 2, 3\r\n4, 5, 6");
    ASSERT_EQ(Clear(folder, model, slot), Status::Done);
    EXPECT_EQ(FileBytes(file), "");
    EXPECT_TRUE(std::filesystem::exists(file));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ProgramFolderFaults,
    ::testing::Values(
        // Two levels of 150 characters: the file's path is well over 300 long.
        FolderCase{"LongerThan260Characters",
                   [] { return std::wstring(150, L'a') + L"/" + std::wstring(150, L'b'); }},
        // Latin, Greek, CJK and a character beyond the 16-bit plane.
        FolderCase{"NonAsciiName",
                   [] {
                       return std::wstring(L"Pr\u00f6gr\u00e4mm \u0394\u03b9\u03b1 \u4f4d\u7f6e "
                                           L"\U0001F600");
                   }},
        FolderCase{
            "LongAndNonAscii",
            [] { return std::wstring(120, L'\u00e9') + L"/" + std::wstring(80, L'\u4f4d'); }}),
    [](const auto& test) { return test.param.name; });

} // namespace
} // namespace velmora
