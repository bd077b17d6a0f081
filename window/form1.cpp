#include "form1.h"

#include "accessible_names.h"
#include "control_ids.h"
#include "dpi.h"
#include "form1_controls.h"
#include "platform.h"
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
        ThrowLastError(L"Velmora could not register its window class");
}

MONITORINFO PrimaryMonitor() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor;
}

// The list has the button-face background of the window around it, and the
// text colour made for that background, which a high-contrast theme keeps legible.
LRESULT ListColours(HDC context) {
    SetBkColor(context, GetSysColor(COLOR_BTNFACE));
    SetTextColor(context, GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

int ShowCommandForFixedWindow(int showCommand) {
    // "Run: Maximized" in a shortcut, or start /max: a window without a
    // maximise box and sizing frame opens at its own size.
    return showCommand == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : showCommand;
}

std::wstring DescribeUnexpected(const std::exception& error) {
    if (const auto* systemError = dynamic_cast<const platform::SystemError*>(&error))
        return systemError->message();
    const std::string what = error.what();
    return L"Velmora could not finish: " + std::wstring(what.begin(), what.end()) + L".";
}

} // namespace

Form1::Form1(HINSTANCE instance, std::wstring programFolder, MessageBoxFunction messageBox)
    : instance_(instance), programFolder_(std::move(programFolder)),
      messageBox_(std::move(messageBox)), tabOrder_(TabOrder(Form1Controls)) {
    RegisterWindowClass(instance, &Form1::WindowProcedure);
    // Created on the primary monitor, where it will be shown, so that it starts
    // with that monitor's DPI.
    const RECT screen = PrimaryMonitor().rcWork;
    if (CreateWindowExW(FormExtendedStyle, Form1ClassName, ProgramTitle, FormStyle, screen.left,
                        screen.top, 0, 0, nullptr, nullptr, instance, this) == nullptr)
        ThrowLastError(L"Velmora could not create its window");
    CreateControls();
    ApplyDpi(DpiForWindow(window_.get()));
    lastFocus_ = Control(tabOrder_.front());
}

void Form1::ShowCentred(int showCommand) {
    const SIZE size = WindowSize(dpi_);
    const RECT screen = PrimaryMonitor().rcWork;
    const int left = screen.left + (screen.right - screen.left - size.cx) / 2;
    const int top = screen.top + (screen.bottom - screen.top - size.cy) / 2;
    SetWindowPos(window_.get(), nullptr, left, top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_.get(), ShowCommandForFixedWindow(showCommand));
    // The first ShowWindow of a program may take the starter's wish instead.
    if (IsZoomed(window_.get()))
        ShowWindow(window_.get(), SW_RESTORE);
    UpdateWindow(window_.get());
}

LRESULT CALLBACK Form1::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_.reset(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        EnableFrameScaling(window);
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
    } catch (const std::exception& error) {
        form->Tell(DescribeUnexpected(error));
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
    case GetDpiScaledSizeMessage:
        *reinterpret_cast<SIZE*>(lParam) = WindowSize(LOWORD(wParam));
        return TRUE;
    case DpiChangedMessage:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
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
            ThrowLastError(L"Velmora could not create its controls");
        if (definition.accessibleName != nullptr)
            NameForScreenReaders(control, definition.accessibleName);
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
            ThrowLastError(L"Velmora could not lay out its window");
        above = control;
    }
}

SIZE Form1::WindowSize(UINT dpi) const {
    const SIZE client{TwipsToPixels(ClientWidthTwips, static_cast<int>(dpi)),
                      TwipsToPixels(ClientHeightTwips, static_cast<int>(dpi))};
    return WindowSizeForClient(client, FormStyle, FormExtendedStyle, dpi);
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

// Keeps the place Windows suggests but sizes the window exactly, so that the
// client area stays 3525 x 5100 twips at the new DPI.
void Form1::OnDpiChanged(UINT dpi, const RECT& suggested) {
    ApplyDpi(dpi);
    const SIZE size = WindowSize(dpi);
    SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Form1::Control(ControlId id) const {
    return GetDlgItem(window_.get(), id);
}

} // namespace velmora
