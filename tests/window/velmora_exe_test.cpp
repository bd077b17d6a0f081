// The built velmora.exe, started as a user starts it, and the resources in it.
#include "control_ids.h"
#include "program_folder.h"
#include "velmora_process.h"

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace velmora::testing {
namespace {

// WM_GETTEXT: GetWindowText does not ask another process's controls.
std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

// A message box's text: its static controls' texts, the icon's (empty) among them.
std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (_wcsicmp(className, L"Static") == 0)
            text += TextOf(child);
    }
    return text;
}

// Started as a shortcut set to "Run: Maximized" starts it.
// What a screen reader in another process hears for each control that takes the focus.
void ExpectAccessibleNames(HWND form) {
    const std::pair<ControlId, const wchar_t*> names[] = {
        {IdText1, L"Working field: first value"},
        {IdText2, L"Working field: second value"},
        {IdText3, L"Working field: third value"},
        {IdCommand1, L"Refresh"},
        {IdCommand2, L"Working button: reads the positions"},
        {IdText4, L"Positions"},
        {IdOption1, L"Multiply By 16"},
        {IdCommand3, L"Uncheck"},
        {IdCommand4, L"Clear"},
    };
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    for (const auto& [id, expected] : names) {
        IAccessible* object = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(GetDlgItem(form, id), OBJID_CLIENT,
                                             __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object)),
                  S_OK);
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        EXPECT_EQ(object->get_accName(self, &name), S_OK) << id;
        EXPECT_STREQ(name, expected);
        SysFreeString(name);
        object->Release();
    }
    CoUninitialize();
}

TEST(VelmoraExe, StartsCentredRefreshesReportsAMissingFileAndEndsWhenClosed) {
    ProgramFolder folder;
    const auto executable = std::filesystem::path(folder.programFolder()) / L"velmora.exe";
    std::filesystem::copy_file(VELMORA_EXE, executable);
    folder.Write(TwoGroups);
    VelmoraProcess velmora(executable, std::filesystem::temp_directory_path(), SW_SHOWMAXIMIZED);
    const HWND form = velmora.form();
    EXPECT_FALSE(IsZoomed(form)) << "a fixed window is never maximised";
    EXPECT_EQ(TextOf(form), L"Velmora");
    RECT frame{}, work{};
    GetWindowRect(form, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 1);
    EXPECT_NEAR(frame.top + frame.bottom, work.top + work.bottom, 1);

    SendMessageW(GetDlgItem(form, IdCommand1), BM_CLICK, 0, 0);
    EXPECT_EQ(TextOf(GetDlgItem(form, IdText4)), L"1, 2, 3\r\n4, 5, 6");

    std::filesystem::remove(folder.coordinateFile());
    PostMessageW(GetDlgItem(form, IdCommand1), BM_CLICK, 0, 0);
    const HWND box = velmora.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"Velmora");
    EXPECT_EQ(MessageBoxText(box), L"An important file not found.");
    EXPECT_EQ(GetWindow(box, GW_OWNER), form);
    SendMessageW(box, WM_COMMAND, IDOK, 0);

    ExpectAccessibleNames(form);

    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(velmora.WaitForExit(10'000), 0u);
}

// One module loaded as data, freed when the test ends.
struct ResourceFile {
    explicit ResourceFile(const wchar_t* path)
        : module(LoadLibraryExW(path, nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceFile() { FreeLibrary(module); }
    std::string_view Bytes(const wchar_t* type, const wchar_t* name) const {
        const HRSRC found = FindResourceW(module, name, type);
        return {static_cast<const char*>(LockResource(LoadResource(module, found))),
                SizeofResource(module, found)};
    }
    HMODULE module;
};

TEST(VelmoraExe, HoldsItsVersionIconImagesAndManifest) {
    DWORD ignored = 0;
    std::string info(GetFileVersionInfoSizeW(L"" VELMORA_EXE, &ignored), '\0');
    ASSERT_TRUE(
        GetFileVersionInfoW(L"" VELMORA_EXE, 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(std::pair(fixed->dwFileVersionMS, fixed->dwFileVersionLS), std::pair(0x10000ul, 0ul));
    EXPECT_EQ(std::pair(fixed->dwProductVersionMS, fixed->dwProductVersionLS),
              std::pair(0x10000ul, 0ul));
    for (const auto& [name, expected] : {std::pair{L"FileVersion", L"1.00"},
                                         {L"ProductVersion", L"1.00"},
                                         {L"ProductName", L"Velmora"},
                                         {L"FileDescription", L"Velmora"}}) {
        wchar_t* value = nullptr;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        ASSERT_TRUE(
            VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &size));
        EXPECT_STREQ(value, expected);
    }

    const ResourceFile exe(L"" VELMORA_EXE);
    // An icon directory: 6-byte header, the count at offset 4, then 14-byte
    // entries: width, height, colours, reserved, planes, bit count, ...
    const std::string_view icon = exe.Bytes(RT_GROUP_ICON, MAKEINTRESOURCEW(1));
    std::set<std::pair<int, int>> images;
    for (std::size_t i = 0; i < static_cast<unsigned char>(icon[4]); ++i)
        images.emplace(static_cast<unsigned char>(icon[6 + 14 * i] - 1) + 1, // 0 stands for 256
                       icon[6 + 14 * i + 6]);
    EXPECT_EQ(images, (std::set<std::pair<int, int>>{{16, 8},
                                                     {24, 8},
                                                     {32, 8},
                                                     {48, 8},
                                                     {16, 32},
                                                     {20, 32},
                                                     {24, 32},
                                                     {32, 32},
                                                     {40, 32},
                                                     {48, 32},
                                                     {64, 32},
                                                     {256, 32}}));
    const std::string_view manifest = exe.Bytes(RT_MANIFEST, MAKEINTRESOURCEW(1));
    for (const char* entry : {"name=\"Velmora\" version=\"1.0.0.0\"", "PerMonitorV2", "true/pm",
                              "Microsoft.Windows.Common-Controls"})
        EXPECT_NE(manifest.find(entry), manifest.npos) << entry;
}

} // namespace
} // namespace velmora::testing
