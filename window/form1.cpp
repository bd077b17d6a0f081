#include "form1.h"

#include "control_ids.h"
#include "dpi.h"
#include "form1_controls.h"
#include "placement.h"
#include "resource_ids.h"
#include "system_error.h"
#include "tab_order.h"
#include "texts.h"
#include "twips.h"

#include <string>
#include <utility>

namespace velmora {
namespace {

// A fixed frame: caption, system menu and minimise, no resizing or maximising.
constexpr DWORD FormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD FormExtendedStyle = 0;
// WS_CLIPSIBLINGS keeps the covered Text1 to Text3 and Command2 from painting
// through Text4.
constexpr DWORD ControlStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

// Older SDK headers lack the per-monitor messages.
constexpr UINT DpiChangedMessage = 0x02E0;       // WM_DPICHANGED
constexpr UINT GetDpiScaledSizeMessage = 0x02E4; // WM_GETDPISCALEDSIZE

void RegisterWindowClass(HINSTANCE instance, WNDPROC windowProcedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VELMORA));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VELMORA),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = Form1ClassName;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        ThrowLastError(RegisterClassFailed);
}

// The list has the button-face background of the window around it, and the
// text colour made for that background, which a high-contrast theme keeps legible.
LRESULT ListColours(HDC context) {
    SetBkColor(context, GetSysColor(COLOR_BTNFACE));
    SetTextColor(context, GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// Every common control learns of new system colours only from its parent.
BOOL CALLBACK PassToControl(HWND control, LPARAM message) {
    const auto& sent = *reinterpret_cast<const MSG*>(message);
    SendMessageW(control, sent.message, sent.wParam, sent.lParam);
    return TRUE;
}

void RedrawAll(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace

Form1::Form1(HINSTANCE instance, std::wstring programFolder, MessageBoxFunction messageBox,
             const SystemFunctions& system)
    : instance_(instance), system_(system), programFolder_(std::move(programFolder)),
      messageBox_(std::move(messageBox)), tabOrder_(TabOrder(Form1Controls)) {
    // A command runs to its end without reading messages. After 5 s of that
    // Windows would show a ghost "(Not Responding)" in the window's place and
    // offer to end Velmora.
    if (system_.disableWindowsGhosting != nullptr)
        system_.disableWindowsGhosting();
    RegisterWindowClass(instance, &Form1::WindowProcedure);
    // Created on the monitor where it will be shown, so that it starts with
    // that monitor's DPI.
    const RECT work = MonitorInfo(StartMonitor()).rcWork;
    if (CreateWindowExW(FormExtendedStyle, Form1ClassName, ProgramTitle, FormStyle, work.left,
                        work.top, 0, 0, nullptr, nullptr, instance, this) == nullptr)
        ThrowLastError(CreateWindowFailed);
    CreateControls();
    ApplyDpi(DpiForWindow(system_, window_.get()));
    lastFocus_ = Control(tabOrder_.front());
}

void Form1::ShowCentred(int showCommand) {
    const RECT work =
        MonitorInfo(MonitorFromWindow(window_.get(), MONITOR_DEFAULTTONEAREST)).rcWork;
    const RECT rect = CentredInWorkArea(work, WindowSize(dpi_));
    SetWindowPos(window_.get(), nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The first ShowWindow takes the starter's command in any case; a
    // maximising one keeps the normal frame (see WM_GETMINMAXINFO).
    ShowWindow(window_.get(), showCommand);
    UpdateWindow(window_.get());
}

LRESULT CALLBACK Form1::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_.reset(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        EnableFrameScaling(created->system_, window);
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Windows has destroyed the window; Form1 must not destroy it again.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->window_.release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // An exception must not unwind through Windows' own code. The commands
    // report their failures themselves; this catches the unforeseen.
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (...) {
        form->TellFailure(std::current_exception());
        return 0;
    }
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // Buttons report BN_CLICKED and labels STN_CLICKED; both are 0.
        if (lParam != 0 && HIWORD(wParam) == BN_CLICKED)
            OnClick(LOWORD(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == Control(IdText4))
            return ListColours(reinterpret_cast<HDC>(wParam));
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            RememberFocus();
        break; // DefWindowProc focuses the window; WM_SETFOCUS passes that on
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    // A fixed window has nothing to show maximised, yet Windows maximises it for
    // ShowWindow from another program, for the starter's show command ("Run:
    // Maximized") and for Maximize on a minimised window's taskbar button. Two
    // messages, one job each: WM_GETMINMAXINFO makes the maximised frame the
    // normal one, so that nothing grows or moves on the screen, not even for a
    // moment; WM_SIZE then gives the window back its normal state.
    case WM_GETMINMAXINFO:
        KeepFrameWhenMaximised(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_MAXIMIZED)
            ShowWindow(window_.get(), SW_RESTORE);
        break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETNONCLIENTMETRICS)
            OnFrameChanged();
        break;
    case WM_THEMECHANGED:
        OnFrameChanged();
        RedrawAll(window_.get());
        break;
    case WM_SYSCOLORCHANGE:
        OnSystemColoursChanged(wParam, lParam);
        break;
    case GetDpiScaledSizeMessage:
        *reinterpret_cast<SIZE*>(lParam) = WindowSize(LOWORD(wParam));
        return TRUE;
    case DpiChangedMessage:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        ClearAccessibleNames();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_.get(), message, wParam, lParam);
}

void Form1::CreateControls() {
    for (const ControlDefinition& definition : Form1Controls) {
        const HWND control = CreateWindowExW(
            definition.extendedStyle, definition.windowClass, definition.caption,
            ControlStyle | definition.style, 0, 0, 0, 0, window_.get(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(definition.id)), instance_, nullptr);
        if (control == nullptr)
            ThrowLastError(CreateControlsFailed);
        // Where annotation fails (Wine has none), a screen reader hears the
        // system's own name; nothing the user must be told.
        if (definition.accessibleName != nullptr && system_.annotateName != nullptr)
            system_.annotateName(control, definition.accessibleName);
    }
    // 0 raises the limit to the maximum, so that typing into a long list is not
    // stopped at the default 32K characters.
    SendMessageW(Control(IdText4), EM_SETLIMITTEXT, 0, 0);
}

// Places every control at the current DPI and stacks them as the table lists them.
void Form1::LayoutControls() {
    HWND above = HWND_TOP;
    for (const ControlDefinition& definition : Form1Controls) {
        const PixelRect rect = TwipsToPixels(definition.rect, static_cast<int>(dpi_));
        const HWND control = Control(definition.id);
        if (!SetWindowPos(control, above, rect.left, rect.top, rect.width, rect.height,
                          SWP_NOACTIVATE))
            ThrowLastError(LayoutFailed);
        above = control;
    }
}

SIZE Form1::WindowSize(UINT dpi) const {
    const SIZE client{TwipsToPixels(ClientWidthTwips, static_cast<int>(dpi)),
                      TwipsToPixels(ClientHeightTwips, static_cast<int>(dpi))};
    return WindowSizeForClient(system_, client, FormStyle, FormExtendedStyle, dpi);
}

void Form1::ApplyDpi(UINT dpi) {
    Form1Fonts fonts(dpi);
    for (const ControlDefinition& definition : Form1Controls)
        SendMessageW(Control(definition.id), WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts.For(definition.font)), TRUE);
    // The old fonts go only now, when no control uses them any more.
    fonts_ = std::move(fonts);
    dpi_ = dpi;
    LayoutControls();
}

// Sizes the window exactly, so that the client area stays 3525 x 5100 twips
// at the new DPI, centred on the place Windows suggests. With per-monitor
// awareness v1 (Windows 8.1, 10 before 1703) the suggestion has another size;
// its corner would move the window back across the monitor's edge.
void Form1::OnDpiChanged(UINT dpi, const RECT& suggested) {
    ApplyDpi(dpi);
    const RECT rect = CentredOn(suggested, WindowSize(dpi));
    SetWindowPos(window_.get(), nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The normal rectangle is in workspace coordinates, which start at the primary
// monitor's work area; the maximised position is relative to the primary
// monitor, and Windows moves it onto the window's own.
void Form1::KeepFrameWhenMaximised(MINMAXINFO& limits) const {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window_.get(), &placement))
        return;
    const RECT& normal = placement.rcNormalPosition;
    const RECT work = MonitorInfo(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)).rcWork;
    const RECT monitor =
        MonitorInfo(MonitorFromWindow(window_.get(), MONITOR_DEFAULTTONEAREST)).rcMonitor;
    limits.ptMaxSize = {normal.right - normal.left, normal.bottom - normal.top};
    limits.ptMaxPosition = {normal.left + work.left - monitor.left,
                            normal.top + work.top - monitor.top};
}

// A new theme, high contrast or title-bar size brings a new frame (and maybe a
// message font), but Windows keeps the window's outer rectangle, which would
// clip the bottom row or leave a gap. Sized anew for the frame, the window
// keeps its top-left corner; the placement also holds for a minimised window.
void Form1::OnFrameChanged() {
    ApplyDpi(dpi_);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window_.get(), &placement))
        ThrowLastError(LayoutFailed);
    const SIZE size = WindowSize(dpi_);
    RECT& normal = placement.rcNormalPosition;
    normal = {normal.left, normal.top, normal.left + size.cx, normal.top + size.cy};
    placement.showCmd = IsWindowVisible(window_.get()) ? SW_SHOWNA : SW_HIDE;
    if (!SetWindowPlacement(window_.get(), &placement))
        ThrowLastError(LayoutFailed);
}

// Annotations are kept apart from the controls and must go with them.
void Form1::ClearAccessibleNames() {
    if (system_.clearAnnotatedName == nullptr)
        return;
    for (const ControlDefinition& definition : Form1Controls)
        if (definition.accessibleName != nullptr)
            system_.clearAnnotatedName(Control(definition.id));
}

// The list's colours are read from the system whenever it paints, so nothing
// cached needs refreshing.
void Form1::OnSystemColoursChanged(WPARAM wParam, LPARAM lParam) {
    const MSG message{window_.get(), WM_SYSCOLORCHANGE, wParam, lParam, 0, {}};
    EnumChildWindows(window_.get(), PassToControl, reinterpret_cast<LPARAM>(&message));
    RedrawAll(window_.get());
}

HWND Form1::Control(ControlId id) const {
    return GetDlgItem(window_.get(), id);
}

} // namespace velmora
