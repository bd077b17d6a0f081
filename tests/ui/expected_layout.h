#pragma once

#include "control_ids.h"

#include <windows.h>

#include <array>

namespace velmora::ui {

enum class ControlKind { PushButton, OptionButton, SingleLineField, MultiLineField, Label };

// The window's default font, or "MS Sans Serif" bold (or its substitute) at a size
// in hundredths of a point.
enum class ExpectedFont { Default, Bold975, Bold1200 };

// Each control of Form1 as the user finds it, at 96 DPI, in stacking order, topmost first.
struct ExpectedControl {
    ControlId id;
    const char* name;
    ControlKind kind;
    const wchar_t* caption; // nullptr: the credit line, our own one-line text
    int left, top, width, height;
    ExpectedFont font;
};

inline constexpr int ClientWidth96 = 235;
inline constexpr int ClientHeight96 = 340;

// clang-format off
inline constexpr std::array<ExpectedControl, 11> ExpectedControls{{
    {IdCommand4, "Command4", ControlKind::PushButton,      L"Clear",          184, 280,  41,  33, ExpectedFont::Default},
    {IdCommand3, "Command3", ControlKind::PushButton,      L"Uncheck",        128, 280,  57,  33, ExpectedFont::Default},
    {IdOption1,  "Option1",  ControlKind::OptionButton,    L"Multiply By 16",   8, 288, 209,  17, ExpectedFont::Bold975},
    {IdText4,    "Text4",    ControlKind::MultiLineField,  L"",                 8,  40, 217, 241, ExpectedFont::Default},
    {IdCommand1, "Command1", ControlKind::PushButton,      L"Refresh",          8, 312, 217,  25, ExpectedFont::Bold975},
    {IdText3,    "Text3",    ControlKind::SingleLineField, L"",                16, 160, 185,  25, ExpectedFont::Default},
    {IdText2,    "Text2",    ControlKind::SingleLineField, L"",                16, 192, 185,  25, ExpectedFont::Default},
    {IdText1,    "Text1",    ControlKind::SingleLineField, L"",                24, 160, 177,  25, ExpectedFont::Default},
    {IdCommand2, "Command2", ControlKind::PushButton,      L"Command2",        40, 160, 145,  49, ExpectedFont::Default},
    {IdLabel2,   "Label2",   ControlKind::Label,           nullptr,             8,  24, 233,  17, ExpectedFont::Default},
    {IdLabel1,   "Label1",   ControlKind::Label,           L"Velmora",          8,   0, 249,  33, ExpectedFont::Bold1200},
}};
// clang-format on

// Points of the client area at 96 DPI where only one control can be hit.
inline constexpr POINT OnLabel1{120, 12};
inline constexpr POINT OnLabel2{120, 32};
inline constexpr POINT OnList{120, 100};   // above the covered controls
inline constexpr POINT OnOption1{60, 296}; // left of Command3, which lies above it

} // namespace velmora::ui
