#pragma once

#include "control_definition.h"
#include "texts.h"

#include <windows.h>

#include <array>

namespace velmora {

inline constexpr DWORD PushButton = WS_TABSTOP | BS_PUSHBUTTON;
inline constexpr DWORD TextField = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
// No scroll bars; ES_AUTOVSCROLL still lets the caret scroll a long list.
inline constexpr DWORD ListField = WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL;
// SS_NOTIFY makes a label take clicks; without it a click falls through to what lies beneath.
inline constexpr DWORD Label = SS_LEFT | SS_NOTIFY | SS_NOPREFIX;

// Form1's controls in stacking order, topmost first. Text1 to Text3 and Command2
// lie under Text4 and are never seen.
inline constexpr std::array<ControlDefinition, 11> Form1Controls{{
    // clang-format off
    {IdCommand4, L"BUTTON", L"Clear",          PushButton, 0,
     {2760, 4200,  615,  495}, 10, FontRole::Default, L"Clear"},
    {IdCommand3, L"BUTTON", L"Uncheck",        PushButton, 0,
     {1920, 4200,  855,  495},  7, FontRole::Default, L"Uncheck"},
    {IdOption1,  L"BUTTON", L"Multiply By 16", WS_TABSTOP | BS_AUTORADIOBUTTON,           0,
     { 120, 4320, 3135,  255},  6, FontRole::Emphasis, L"Multiply By 16"},
    {IdText4,    L"EDIT",   L"",               ListField, WS_EX_CLIENTEDGE,
     { 120,  600, 3255, 3615},  5, FontRole::Default, L"Positions"},
    {IdCommand1, L"BUTTON", L"Refresh",        PushButton, 0,
     { 120, 4680, 3255,  375},  3, FontRole::Emphasis, L"Refresh"},
    {IdText3,    L"EDIT",   L"",               TextField, WS_EX_CLIENTEDGE,
     { 240, 2400, 2775,  375},  2, FontRole::Default, L"Working field: third value"},
    {IdText2,    L"EDIT",   L"",               TextField, WS_EX_CLIENTEDGE,
     { 240, 2880, 2775,  375},  1, FontRole::Default, L"Working field: second value"},
    {IdText1,    L"EDIT",   L"",               TextField, WS_EX_CLIENTEDGE,
     { 360, 2400, 2655,  375},  0, FontRole::Default, L"Working field: first value"},
    {IdCommand2, L"BUTTON", L"Command2",       PushButton, 0,
     { 600, 2400, 2175,  735},  4, FontRole::Default, L"Working button: reads the positions"},
    {IdLabel2,   L"STATIC", CreditLine,        Label, 0,
     { 120,  360, 3495,  255},  9, FontRole::Default, nullptr},
    {IdLabel1,   L"STATIC", ProgramTitle,      Label, 0,
     { 120,    0, 3735,  495},  8, FontRole::Title, nullptr},
    // clang-format on
}};

} // namespace velmora
