#include "bare_list_field.h"

#include "dpi.h"
#include "form1_controls.h"
#include "stopwatch.h"
#include "twips.h"

#include <algorithm>
#include <stdexcept>

namespace velmora::bench {
namespace {

constexpr wchar_t ParentClass[] = L"VelmoraBareListParent";

const ControlDefinition& Text4Definition() {
    return *std::find_if(Form1Controls.begin(), Form1Controls.end(),
                         [](const ControlDefinition& control) { return control.id == IdText4; });
}

HWND CreateParent(HINSTANCE instance, UINT dpi) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = ParentClass;
    if (!RegisterClassExW(&windowClass))
        throw std::runtime_error("cannot register the test window's class");
    const HWND parent =
        CreateWindowExW(0, ParentClass, L"EDIT floor", WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN,
                        0, 0, TwipsToPixels(ClientWidthTwips, static_cast<int>(dpi)) + 16,
                        TwipsToPixels(ClientHeightTwips, static_cast<int>(dpi)) + 40, nullptr,
                        nullptr, instance, nullptr);
    if (parent == nullptr)
        throw std::runtime_error("cannot create the test window");
    return parent;
}

HWND CreateField(HWND parent, HINSTANCE instance, UINT dpi, HFONT font) {
    const ControlDefinition& text4 = Text4Definition();
    const PixelRect rect = TwipsToPixels(text4.rect, static_cast<int>(dpi));
    const HWND field =
        CreateWindowExW(text4.extendedStyle, text4.windowClass, L"",
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | text4.style, rect.left, rect.top,
                        rect.width, rect.height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdText4)), instance, nullptr);
    if (field == nullptr)
        throw std::runtime_error("cannot create the EDIT control");
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageW(field, EM_SETLIMITTEXT, 0, 0);
    return field;
}

} // namespace

BareListField::BareListField(HINSTANCE instance)
    : dpi_(SystemDpi(ProcessSystemFunctions())), fonts_(dpi_),
      parent_(CreateParent(instance, dpi_)),
      field_(CreateField(parent_.get(), instance, dpi_, fonts_.For(FontRole::Default))) {
    ShowWindow(parent_.get(), SW_SHOWNOACTIVATE);
    UpdateWindow(parent_.get());
}

double BareListField::TimeSetText(const std::wstring& text) {
    SendMessageW(field_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    UpdateWindow(field_);
    const Stopwatch stopwatch;
    SendMessageW(field_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    UpdateWindow(field_);
    return stopwatch.Milliseconds();
}

void BareListField::StandBeside(HWND other) {
    RECT rect{};
    GetWindowRect(other, &rect);
    SetWindowPos(parent_.get(), nullptr, rect.right, rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::size_t BareListField::TextLength() const {
    return static_cast<std::size_t>(GetWindowTextLengthW(field_));
}

} // namespace velmora::bench
