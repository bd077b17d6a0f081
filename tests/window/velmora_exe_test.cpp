// velmora.exe as a user starts it.
#include "control_ids.h"
#include "module_folder.h"
#include "platform.h"
#include "program_folder.h"
#include "velmora_process.h"

#include <gtest/gtest.h>

namespace velmora::testing {

namespace fs = std::filesystem;

// Started as a shortcut set to "Run: Maximized" starts it, from another folder.
// Someone has dropped DLLs into its folder under the names of those it loads
// at run time, and Wine is told to prefer them to its own: none may be loaded.
TEST(VelmoraExe, FindsItsFileLoadsNoDllBesideItAndEndsWhenClosed) {
    const ProgramFolder folder;
    const fs::path programFolder(folder.programFolder());
    fs::copy_file(VELMORA_EXE, programFolder / L"velmora.exe");
    const std::wstring wine = L"Software\\Wine\\AppDefaults\\velmora.exe";
    for (const std::wstring dll : {L"oleacc", L"shcore"}) {
        fs::copy_file(PLANTED_DLL, programFolder / (dll + L".dll"));
        RegSetKeyValueW(HKEY_CURRENT_USER, (wine + L"\\DllOverrides").c_str(), dll.c_str(), REG_SZ,
                        L"native,builtin", sizeof L"native,builtin");
    }
    folder.Write(TwoGroups);
    const VelmoraProcess velmora(programFolder / L"velmora.exe", fs::temp_directory_path(),
                                 SW_SHOWMAXIMIZED);
    RegDeleteTreeW(HKEY_CURRENT_USER, wine.c_str());
    // F5 through the program's own message loop, as a user's key arrives.
    PostMessageW(GetDlgItem(velmora.form(), IdText1), WM_KEYDOWN, VK_F5, 0);
    const HWND list = GetDlgItem(velmora.form(), IdText4);
    for (int waited = 0; waited < 10'000 && TextOf(list).empty(); waited += 10)
        Sleep(10);
    EXPECT_EQ(TextOf(list), TwoEntries);
    // Checked only now that it reads its messages: it was maximised for a moment.
    EXPECT_FALSE(IsZoomed(velmora.form())) << "a fixed window is never maximised";
    PostMessageW(velmora.form(), WM_CLOSE, 0, 0);
    WaitForSingleObject(velmora.process(), 10'000);
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(velmora.process(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

// As wWinMain finds it: GetModuleFileNameW fills the whole buffer with a name cut short.
TEST(ModuleFolderTest, IsTheFileNameUpToItsLastBackslashAtAnyLength) {
    const std::wstring deep = L"\\\\?\\D:\\" + std::wstring(1000, L'x');
    const std::pair<std::wstring, std::wstring> rows[] = {
        {L"C:\\velmora.exe", L"C:\\"},
        {deep + L"\\velmora.exe", deep},
        {L"\\\\?\\C:\\velmora.exe", L"\\\\?\\C:\\"}};
    for (const auto& [file, folder] : rows)
        EXPECT_EQ(ModuleFolder([&](wchar_t* to, DWORD size) { return DWORD(file.copy(to, size)); }),
                  folder);
    EXPECT_THROW(ModuleFolder([](wchar_t*, DWORD) { return DWORD{0}; }), platform::SystemError);
}

} // namespace velmora::testing
