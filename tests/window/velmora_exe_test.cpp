// The built velmora.exe, started as a user starts it, the resources in it,
// and the DLLs it loads at run time.
#include "form1_fixture.h"
#include "system_functions.h"
#include "velmora_process.h"

#include <array>
#include <set>
#include <utility>

namespace velmora::testing {
namespace {

using namespace std::string_literals;

// Started as a shortcut set to "Run: Maximized" starts it, from another folder,
// where someone has dropped a DLL that Windows loads on demand, and which
// Wine is told to prefer to its own (for velmora.exe only). Loaded, the empty
// DLL would leave the screen reader without names.
TEST(VelmoraExe, StartsUnmaximisedRefreshesOnF5ReportsAMissingFileAndEndsWhenClosed) {
    ProgramFolder folder;
    const std::filesystem::path programFolder(folder.programFolder());
    std::filesystem::copy_file(VELMORA_EXE, programFolder / L"velmora.exe");
    std::filesystem::copy_file(PLANTED_DLL, programFolder / L"oleacc.dll");
    folder.Write(TwoGroups);
    const wchar_t* const wineForVelmora = L"Software\\Wine\\AppDefaults\\velmora.exe";
    RegSetKeyValueW(HKEY_CURRENT_USER, (wineForVelmora + L"\\DllOverrides"s).c_str(), L"oleacc",
                    REG_SZ, L"native,builtin", sizeof L"native,builtin");
    VelmoraProcess velmora(programFolder / L"velmora.exe", std::filesystem::temp_directory_path(),
                           SW_SHOWMAXIMIZED);
    RegDeleteTreeW(HKEY_CURRENT_USER, wineForVelmora);
    const HWND form = velmora.form();
    EXPECT_FALSE(IsZoomed(form)) << "a fixed window is never maximised";
    EXPECT_EQ(TextOf(form), L"Velmora");

    // F5 through the program's own message loop, as a user's key arrives.
    PostMessageW(GetDlgItem(form, IdText1), WM_KEYDOWN, VK_F5, 0);
    for (int waited = 0; waited < 10'000 && TextOf(GetDlgItem(form, IdText4)).empty(); waited += 10)
        Sleep(10);
    EXPECT_EQ(TextOf(GetDlgItem(form, IdText4)), L"1, 2, 3\r\n4, 5, 6");

    std::filesystem::remove(folder.coordinateFile());
    PostMessageW(GetDlgItem(form, IdCommand1), BM_CLICK, 0, 0);
    const HWND box = velmora.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"Velmora");
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), L"An important file not found.");
    EXPECT_EQ(GetWindow(box, GW_OWNER), form);
    SendMessageW(box, WM_COMMAND, IDOK, 0);

    // As a screen reader asks, from another process.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(AccessibleName(GetDlgItem(form, IdText1)), L"Working field: first value");
    CoUninitialize();

    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(velmora.WaitForExit(10'000), 0u);
}

// Windows 7 without KB2533623 knows no System32-only search and says so: only
// then is a DLL named by its full System32 path. An absent one stays absent.
// Once the search is closed, a DLL beside the program is not found by name.
TEST(SystemFunctionsTest, AreLookedUpInSystem32Only) {
    wchar_t folder[MAX_PATH] = {};
    const std::wstring path = std::wstring(folder, GetSystemDirectoryW(folder, MAX_PATH)) + L"\\";
    for (const DWORD refusal : {ERROR_SUCCESS, ERROR_INVALID_PARAMETER, ERROR_MOD_NOT_FOUND}) {
        std::wstring loads;
        const SystemFunctions system = LookUpSystemFunctions([&](const wchar_t* name, DWORD flags) {
            loads += std::to_wstring(flags) + L" " + name + L", ";
            SetLastError(refusal);
            return refusal && flags == LOAD_LIBRARY_SEARCH_SYSTEM32
                       ? nullptr
                       : LoadLibraryExW(name, nullptr, flags);
        });
        const std::wstring full = refusal == ERROR_INVALID_PARAMETER ? L"8 " + path : L"";
        EXPECT_EQ(loads, L"2048 shcore.dll, " + (full.empty() ? L"" : full + L"shcore.dll, ") +
                             L"2048 oleacc.dll, " + (full.empty() ? L"" : full + L"oleacc.dll, "));
        EXPECT_EQ(system.getDpiForMonitor && system.lresultFromObject &&
                      system.createStdAccessibleObject,
                  refusal != ERROR_MOD_NOT_FOUND);
    }
    RestrictDllSearch();
    EXPECT_EQ(LoadLibraryW(std::filesystem::path(PLANTED_DLL).filename().c_str()), nullptr);
}

TEST(VelmoraExe, HoldsItsVersionIconImagesAndManifest) {
    DWORD ignored = 0;
    std::string info(GetFileVersionInfoSizeW(L"" VELMORA_EXE, &ignored), '\0');
    ASSERT_TRUE(
        GetFileVersionInfoW(L"" VELMORA_EXE, 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ((std::array{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                          fixed->dwProductVersionLS}),
              (std::array<DWORD, 4>{0x10000, 0, 0x10000, 0}));
    for (const auto& [name, expected] : {std::pair{L"FileVersion", L"1.00"},
                                         {L"ProductVersion", L"1.00"},
                                         {L"ProductName", L"Velmora"},
                                         {L"FileDescription", L"Velmora"}}) {
        wchar_t* value = nullptr;
        VerQueryValueW(info.data(), (L"\\StringFileInfo\\040904B0\\"s + name).c_str(),
                       reinterpret_cast<void**>(&value), &size);
        EXPECT_STREQ(value, expected) << name;
    }

    const HMODULE exe = LoadLibraryExW(L"" VELMORA_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const auto bytes = [exe](const wchar_t* type) {
        const HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), type);
        return std::string(static_cast<const char*>(LockResource(LoadResource(exe, found))),
                           SizeofResource(exe, found));
    };
    // An icon directory: 6-byte header, the count at offset 4, then 14-byte
    // entries: width (0 for 256), height, colours, reserved, planes, bit count...
    const std::string icon = bytes(RT_GROUP_ICON), manifest = bytes(RT_MANIFEST);
    FreeLibrary(exe);
    std::set<int> images; // width * 100 + bits per pixel
    for (std::size_t entry = 6; entry < 6 + 14 * static_cast<std::size_t>(icon[4]); entry += 14)
        images.insert((static_cast<unsigned char>(icon[entry] - 1) + 1) * 100 + icon[entry + 6]);
    EXPECT_EQ(images,
              (std::set{1608, 2408, 3208, 4808, 1632, 2032, 2432, 3232, 4032, 4832, 6432, 25632}));
    for (const char* entry : {"name=\"Velmora\" version=\"1.0.0.0\"", "PerMonitorV2", "true/pm",
                              "Microsoft.Windows.Common-Controls"})
        EXPECT_NE(manifest.find(entry), manifest.npos) << entry;
}

} // namespace
} // namespace velmora::testing
