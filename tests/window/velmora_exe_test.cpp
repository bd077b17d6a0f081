// velmora.exe as a user starts it, and how it finds its own folder.
#include "control_ids.h"
#include "module_folder.h"
#include "platform.h"
#include "program_folder.h"
#include "velmora_process.h"

#include <gtest/gtest.h>

namespace velmora::testing {

using namespace std::string_literals;
namespace fs = std::filesystem;

// Started as a shortcut set to "Run: Maximized" starts it, from another folder.
// Someone has dropped DLLs into its folder under the names of those it loads
// at run time, and Wine is told to prefer them to its own: none may be loaded.
TEST(VelmoraExe, FindsItsFileLoadsNoDllBesideItAndEndsWhenClosed) {
    const ProgramFolder folder;
    const fs::path programFolder(folder.programFolder());
    fs::copy_file(VELMORA_EXE, programFolder / L"velmora.exe");
    const wchar_t* const wineForVelmora = L"Software\\Wine\\AppDefaults\\velmora.exe";
    for (const wchar_t* dll : {L"oleacc", L"shcore"}) {
        fs::copy_file(PLANTED_DLL, programFolder / (dll + L".dll"s));
        RegSetKeyValueW(HKEY_CURRENT_USER, (wineForVelmora + L"\\DllOverrides"s).c_str(), dll,
                        REG_SZ, L"native,builtin", sizeof L"native,builtin");
    }
    folder.Write(TwoGroups);
    const VelmoraProcess velmora(programFolder / L"velmora.exe", fs::temp_directory_path(),
                                 SW_SHOWMAXIMIZED);
    RegDeleteTreeW(HKEY_CURRENT_USER, wineForVelmora);
    EXPECT_FALSE(IsZoomed(velmora.form())) << "a fixed window is never maximised";
    // F5 through the program's own message loop, as a user's key arrives.
    PostMessageW(GetDlgItem(velmora.form(), IdText1), WM_KEYDOWN, VK_F5, 0);
    const HWND list = GetDlgItem(velmora.form(), IdText4);
    for (int waited = 0; waited < 10'000 && TextOf(list).empty(); waited += 10)
        Sleep(10);
    EXPECT_EQ(TextOf(list), TwoEntries);
    PostMessageW(velmora.form(), WM_CLOSE, 0, 0);
    EXPECT_EQ(velmora.WaitForExit(10'000), 0u);
}

TEST(ModuleFolderTest, IsTheFileNameUpToItsLastBackslashAtAnyLength) {
    const std::wstring deep = L"\\\\?\\D:\\" + std::wstring(1000, L'x');
    const std::pair<std::wstring, std::wstring> rows[] = {
        {L"C:\\velmora.exe", L"C:\\"},
        {L"C:\\Tools\\Velmora\\velmora.exe", L"C:\\Tools\\Velmora"},
        {deep + L"\\velmora.exe", deep},
        {L"\\\\?\\C:\\velmora.exe", L"\\\\?\\C:\\"},
        {L"\\\\server\\share\\Velmora\\velmora.exe", L"\\\\server\\share\\Velmora"}};
    // As GetModuleFileNameW: a name cut short fills the whole buffer.
    for (const auto& [file, folder] : rows)
        EXPECT_EQ(ModuleFolder([&](wchar_t* buffer, DWORD size) {
                      return static_cast<DWORD>(file.copy(buffer, size));
                  }),
                  folder);
    EXPECT_THROW(ModuleFolder([](wchar_t*, DWORD) { return DWORD{0}; }), platform::SystemError);
}

} // namespace velmora::testing
