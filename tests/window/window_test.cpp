// The window: Form1 inside the test program, beside a temporary cleo\Temp.INI,
// its message boxes recorded instead of shown (what its controls do by mouse
// and keys, how it lays itself out at each DPI, what it asks of Windows); then
// what wWinMain finds and asks of Windows first, and velmora.exe as a user
// starts it.
#include "form1.h"
#include "module_folder.h"
#include "placement.h"
#include "program_folder.h"
#include "velmora_process.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

namespace velmora::testing {

namespace fs = std::filesystem;

// Left, top, width and height on the screen, or in the client area of `in`.
static std::array<LONG, 4> Place(HWND window, HWND in = nullptr) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, in, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Every size the window takes, also for a moment, from its WM_WINDOWPOSCHANGED.
static LRESULT CALLBACK NoteSize(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR sizes) {
    const auto& place = *reinterpret_cast<const WINDOWPOS*>(lParam);
    if (message == WM_WINDOWPOSCHANGED && (place.flags & SWP_NOSIZE) == 0)
        reinterpret_cast<std::vector<SIZE>*>(sizes)->push_back({place.cx, place.cy});
    return DefSubclassProc(window, message, wParam, lParam);
}

// With the key: pressed together with Shift or Ctrl, or held down, when Windows repeats it.
constexpr int Shift = 0x10000, Ctrl = 0x20000, Held = 0x40000;

class Form1Test : public ::testing::Test {
  public:
    // As a shortcut set to "Run: Maximized" shows it.
    Form1Test() {
        SetWindowSubclass(form.window(), NoteSize, 0, reinterpret_cast<DWORD_PTR>(&sizes));
        form.ShowCentred(SW_SHOWMAXIMIZED);
    }

    HWND Control(ControlId id) const { return GetDlgItem(form.window(), id); }

    // At the control's centre, taken by whatever lies on top there.
    void Click(ControlId id) const {
        const auto [left, top, width, height] = Place(Control(id));
        POINT point{left + width / 2, top + height / 2};
        const HWND hit = WindowFromPoint(point);
        ScreenToClient(hit, &point);
        SendMessageW(hit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        SendMessageW(hit, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    // Pressed and let go in the control, through a message loop like the program's.
    void Key(ControlId id, int key) {
        SetFocus(Control(id)); // nothing happens where it has the focus already
        BYTE keys[256] = {};
        keys[VK_SHIFT] = (key & Shift) != 0 ? BYTE{0x80} : BYTE{0};
        keys[VK_CONTROL] = (key & Ctrl) != 0 ? BYTE{0x80} : BYTE{0};
        SetKeyboardState(keys);
        PostMessageW(GetFocus(), WM_KEYDOWN, key & 0xFF, (key & Held) != 0 ? (1 << 30) | 1 : 1);
        PostMessageW(GetFocus(), WM_KEYUP, key & 0xFF, 0xC0000001);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            if (form.TranslateKeyboard(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    ProgramFolder folder;
    std::wstring shown;      // the messages, one after another
    std::vector<SIZE> sizes; // that the window took
    Form1 form{GetModuleHandleW(nullptr), folder.programFolder(),
               [this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
                   EXPECT_EQ(std::pair(owner, type), std::pair(form.window(), UINT{MB_OK}));
                   shown += caption + (L": " + std::wstring(text));
                   return IDOK;
               }};
};

constexpr wchar_t Plain[] = L"1, 2, 3\r\n4, 5, 6", Times16[] = L"16, 32, 48\r\n64, 80, 96",
                  Missing[] = L"Velmora: An important file not found.";
constexpr const char *Two = TwoGroups.data(), *Gone = nullptr; // the file missing

// Run in order on one window, the file written afresh (or missing) before each
// step, which fails while Form1 still holds it. A click, or a key, which
// leaves the focus where it was: Enter and Space press the focused button, F5
// refreshes from anywhere, once however long it is held. Command2 lies under
// the list, out of the mouse's reach but not of Tab's. Clear empties the list
// and the file; an import that stops keeps the entries before the stop.
TEST_F(Form1Test, EachControlAndKeyDoesItsOwnCommandAndTellsWhatWentWrong) {
    const std::tuple<const char*, ControlId, int, const wchar_t*, const wchar_t*> steps[] = {
        {Two, IdCommand2, 0, L"", L""},
        {Two, IdOption1, 0, L"", L""},
        {Two, IdCommand1, 0, Times16, L""},
        {Two, IdCommand3, 0, Times16, L""},
        {Two, IdCommand1, 0, Plain, L""},
        {Two, IdCommand4, 0, L"", L""},
        {Two, IdText4, VK_F5 | Held, L"", L""},
        {Two, IdText4, VK_F5, Plain, L""},
        {Two, IdCommand4, VK_SPACE, L"", L""},
        {Two, IdCommand2, VK_RETURN, Plain, L""},
        {Two, IdCommand4, VK_RETURN, L"", L""},
        {"[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny=5\r\nz=6\r\n[r]\r\nx=7", IdCommand1, 0, Plain,
         L"Velmora: cleo\\Temp.INI ends at line 10, inside a position: every position needs four "
         L"lines."},
        {Gone, IdCommand1, 0, Plain, Missing},
        {Gone, IdCommand4, 0, L"", Missing},
        {Gone, IdLabel1, 0, L"", L"Velmora: Velmora 1.00 \u2014 made by the Velmora developers."}};
    for (const auto& [file, control, key, list, message] : steps) {
        fs::remove(folder.coordinateFile());
        if (file)
            folder.Write(file);
        key == 0 ? Click(control) : Key(control, key);
        EXPECT_EQ(TextOf(Control(IdText4)), list) << control << " " << key;
        EXPECT_EQ(std::exchange(shown, L""), message);
        EXPECT_TRUE(key == 0 || GetFocus() == Control(control)) << key;
        const char* const left = control == IdCommand4 ? "" : file;
        EXPECT_EQ(folder.Read(), file ? std::optional<std::string>(left) : std::nullopt);
    }
}

// Every control but the labels, in tab index order (not the stacking), and
// round, from the first one, which has the focus at the start. Tab selects a
// field's text, and the keys type nothing; the focus alone selects no option;
// the window, activated again, gives the focus back to the control that had it,
// where Ctrl+A selects the whole list.
TEST_F(Form1Test, TabAndShiftTabVisitEveryControlButTheLabelsInTabIndexOrder) {
    constexpr ControlId order[] = {IdText1, IdText2,   IdText3,    IdCommand1, IdCommand2,
                                   IdText4, IdOption1, IdCommand3, IdCommand4, IdText1};
    SetWindowTextW(Control(IdText4), Plain);
    for (const int back : {0, Shift}) {
        for (std::size_t step = 1; step < std::size(order); ++step) {
            Key(static_cast<ControlId>(GetDlgCtrlID(GetFocus())), VK_TAB | back);
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), order[back ? std::size(order) - 1 - step : step]);
        }
    }
    EXPECT_EQ(SendMessageW(Control(IdText4), EM_GETSEL, 0, 0), LRESULT{MAKELONG(0, 16)});
    SendMessageW(Control(IdText4), EM_SETSEL, 2, 5); // Tab selected it all; now only a part
    SetFocus(Control(IdText4));
    SendMessageW(form.window(), WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(form.window());
    Key(static_cast<ControlId>(GetDlgCtrlID(GetFocus())), 'A' | Ctrl);
    EXPECT_EQ(std::tuple(IsDlgButtonChecked(form.window(), IdOption1), TextOf(Control(IdText4)),
                         SendMessageW(Control(IdText4), EM_GETSEL, 0, 0)),
              std::tuple(UINT{BST_UNCHECKED}, std::wstring(Plain), LRESULT{MAKELONG(0, 16)}));
}

// The controls in sight: left, top, width and height in pixels at 96 DPI,
// caption, and the font's size in hundredths of a point (bold unless 9 pt).
const std::tuple<ControlId, std::array<LONG, 4>, const wchar_t*, int> Places[] = {
    {IdCommand4, {184, 280, 41, 33}, L"Clear", 900},
    {IdCommand3, {128, 280, 57, 33}, L"Uncheck", 900},
    {IdOption1, {8, 288, 209, 17}, L"Multiply By 16", 975},
    {IdText4, {8, 40, 217, 241}, L"", 900},
    {IdCommand1, {8, 312, 217, 25}, L"Refresh", 975},
    {IdLabel1, {8, 0, 249, 33}, L"Velmora", 1200},
};

// At 96 DPI as first shown, then moved to monitors of 120, 144 and 336 DPI (a
// quarter and a half pixel to round, and 350 %), where Windows suggests a place. A fixed
// frame: asked to maximise, from another program, the system menu or the
// taskbar of a minimised window, it never grows, not even for a moment. The
// clicks above find the stacking.
TEST_F(Form1Test, CentresAFixedFrameAndPlacesSizesAndLettersEveryControlAtEachDpi) {
    for (const int dpi : {96, 120, 144, 336}) {
        const auto scaled = [dpi](LONG pixels) -> LONG { return MulDiv(pixels, dpi, 96); };
        RECT centre{100, 50, 300, 400}, expected{0, 0, scaled(235), scaled(340)};
        if (dpi == 96)
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &centre, 0);
        else // WM_DPICHANGED
            SendMessageW(form.window(), 0x02E0, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&centre));
        ShowWindow(form.window(), SW_MAXIMIZE);
        SendMessageW(form.window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        ShowWindow(form.window(), SW_MINIMIZE);
        ShowWindow(form.window(), SW_MAXIMIZE);
        const auto [left, top, width, height] = Place(form.window());
        // Larger than a work area, it keeps its caption in reach.
        const RECT small = CentredInWorkArea({10, 40, 110, 140}, {width, height});
        EXPECT_EQ(std::pair(small.left, small.top), std::pair(10L, 40L));
        // An odd pixel left over goes right or down.
        EXPECT_EQ(std::pair(left, top),
                  std::pair(centre.left + (centre.right - centre.left - width) / 2,
                            centre.top + (centre.bottom - centre.top - height) / 2));
        for (const SIZE size : std::exchange(sizes, {}))
            EXPECT_TRUE(size.cx <= width && size.cy <= height) << size.cx << "x" << size.cy;
        // Only at the system's own DPI does the system draw the frame at this size.
        const DWORD style = GetWindowLongW(form.window(), GWL_STYLE);
        // A fixed frame with the arrow pointer; the bitmap face at 96 DPI only, where there is one.
        EXPECT_EQ(std::tuple(style & (WS_THICKFRAME | WS_MAXIMIZEBOX),
                             GetClassLongPtrW(form.window(), GCLP_HCURSOR),
                             std::wstring(BoldFontFace(96, true)) + BoldFontFace(120, true)),
                  std::tuple(DWORD{0}, reinterpret_cast<ULONG_PTR>(LoadCursorW(nullptr, IDC_ARROW)),
                             L"MS Sans SerifMicrosoft Sans Serif"));
        ProcessSystemFunctions().adjustWindowRectExForDpi(&expected, style, FALSE, 0,
                                                          static_cast<UINT>(dpi));
        EXPECT_EQ(std::pair(width, height),
                  std::pair(expected.right - expected.left, expected.bottom - expected.top));
        for (const auto& [id, rect, caption, hundredths] : Places) {
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control(id), WM_GETFONT, 0, 0)),
                       sizeof font, &font);
            EXPECT_EQ(std::tuple(Place(Control(id), form.window()), TextOf(Control(id)),
                                 GetWindowLongW(Control(id), GWL_EXSTYLE), font.lfHeight,
                                 font.lfWidth, font.lfWeight == FW_BOLD),
                      std::tuple(std::array{scaled(rect[0]), scaled(rect[1]), scaled(rect[2]),
                                            scaled(rect[3])},
                                 std::wstring(caption), id == IdText4 ? WS_EX_CLIENTEDGE : 0,
                                 LONG{-MulDiv(hundredths, dpi, 7200)}, 0L, hundredths != 900))
                << id;
        }
    }
}

// Where only Windows shows the effect (screen-reader names, no ghost, a frame
// that changes under it), Form1's requests are recorded here instead.
struct Seen {
    static HRESULT Name(HWND c, const wchar_t* name) { return named[GetDlgCtrlID(c)] = name, S_OK; }
    static HRESULT Clear(HWND c) { return named.erase(GetDlgCtrlID(c)) == 1 ? S_OK : E_FAIL; }
    static void WINAPI NoGhost() { ++ghostingOff; }
    static BOOL WINAPI Frame(RECT* r, DWORD, BOOL, DWORD, UINT) { return InflateRect(r, rim, rim); }
    static inline std::map<int, std::wstring> named;
    static inline int ghostingOff = 0, rim = 4;
};

TEST(Form1OnWindowsTest, NamesFocusableControlsNeverGhostsAndKeepsItsClientAreaAndCorner) {
    Form1 form(GetModuleHandleW(nullptr), L"", MessageBoxW,
               {.adjustWindowRectExForDpi = &Seen::Frame,
                .annotateName = &Seen::Name,
                .clearAnnotatedName = &Seen::Clear,
                .disableWindowsGhosting = &Seen::NoGhost});
    EXPECT_EQ(std::exchange(Seen::ghostingOff, 0), 1);
    const std::wstring field = L"Working field: ";
    // clang-format off
    EXPECT_EQ(Seen::named, (std::map<int, std::wstring>{
        {IdCommand4, L"Clear"}, {IdCommand3, L"Uncheck"}, {IdOption1, L"Multiply By 16"},
        {IdText4, L"Positions"}, {IdCommand1, L"Refresh"}, {IdText3, field + L"third value"},
        {IdText2, field + L"second value"}, {IdText1, field + L"first value"},
        {IdCommand2, L"Working button: reads the positions"}}));
    // clang-format on
    form.ShowCentred(SW_SHOWNORMAL);
    // A new frame, also while minimised, which it stays: the same client area and corner.
    for (const auto& [message, show] :
         {std::pair{WM_THEMECHANGED, SW_SHOWNORMAL}, {WM_SETTINGCHANGE, SW_MINIMIZE}}) {
        const auto [left, top, width, height] = Place(form.window());
        Seen::rim += 3;
        ShowWindow(form.window(), show);
        SendMessageW(form.window(), message, SPI_SETNONCLIENTMETRICS, 0);
        EXPECT_EQ(IsIconic(form.window()) != 0, show == SW_MINIMIZE);
        ShowWindow(form.window(), SW_RESTORE);
        EXPECT_EQ(Place(form.window()), (std::array{left, top, width + 6, height + 6}));
    }
    EXPECT_TRUE(DestroyWindow(form.window()) && Seen::named.empty()) << "annotations go with them";
}

// Started as a shortcut set to "Run: Maximized" starts it, from another folder.
TEST(VelmoraExe, FindsItsFileBesideItAndEndsWhenClosed) {
    const ProgramFolder folder;
    const fs::path programFolder(folder.programFolder());
    fs::copy_file(VELMORA_EXE, programFolder / L"velmora.exe");
    folder.Write(TwoGroups);
    const VelmoraProcess velmora(programFolder / L"velmora.exe", fs::temp_directory_path(),
                                 SW_SHOWMAXIMIZED);
    // F5 through the program's own message loop, as a user's key arrives.
    PostMessageW(GetDlgItem(velmora.form(), IdText1), WM_KEYDOWN, VK_F5, 0);
    const HWND list = GetDlgItem(velmora.form(), IdText4);
    for (int waited = 0; waited < 10'000 && TextOf(list).empty(); waited += 10)
        Sleep(10);
    EXPECT_EQ(TextOf(list), TwoEntries);
    PostMessageW(velmora.form(), WM_CLOSE, 0, 0);
    WaitForSingleObject(velmora.process(), 10'000);
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(velmora.process(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

// As wWinMain finds it: GetModuleFileNameW fills the whole buffer with a name cut short.
TEST(ModuleFolderTest, IsTheFileNameUpToItsLastBackslashAtAnyLength) {
    const std::wstring deep = L"\\\\?\\D:\\" + std::wstring(1000, L'x');
    const std::pair<std::wstring, std::wstring> rows[] = {{L"C:\\velmora.exe", L"C:\\"},
                                                          {deep + L"\\velmora.exe", deep}};
    for (const auto& [file, folder] : rows)
        EXPECT_EQ(ModuleFolder([&](wchar_t* to, DWORD size) { return DWORD(file.copy(to, size)); }),
                  folder);
    EXPECT_THROW(ModuleFolder([](wchar_t*, DWORD) { return DWORD{0}; }), platform::SystemError);
}

// What wWinMain asks of Windows before anything loads a DLL on demand: every
// DLL named without a path comes from System32 (the planted one lies beside
// this test); shcore too where Windows 7 knows no such flag; no ghost window.
TEST(SystemFunctionsTest, LoadsDllsFromSystem32OnlyAndTurnsGhostingOff) {
    RestrictDllSearch();
    EXPECT_EQ(LoadLibraryW(fs::path(PLANTED_DLL).filename().c_str()), nullptr);
    std::vector<std::pair<std::wstring, DWORD>> loads;
    const SystemFunctions system = LookUpSystemFunctions([&](const wchar_t* name, DWORD flags) {
        loads.emplace_back(name, flags);
        SetLastError(ERROR_INVALID_PARAMETER);
        return flags == LOAD_LIBRARY_SEARCH_SYSTEM32 ? nullptr
                                                     : LoadLibraryExW(name, nullptr, flags);
    });
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    EXPECT_EQ(loads, (decltype(loads){
                         {L"shcore.dll", LOAD_LIBRARY_SEARCH_SYSTEM32},
                         {folder + std::wstring(L"\\shcore.dll"), LOAD_WITH_ALTERED_SEARCH_PATH}}));
    EXPECT_TRUE(system.getDpiForMonitor != nullptr &&
                system.disableWindowsGhosting == &DisableProcessWindowsGhosting);
}

} // namespace velmora::testing
