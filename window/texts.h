#pragma once

#include "velmora_version.h"

namespace velmora {

// The program's own words, in one place.
inline constexpr wchar_t ProgramTitle[] = L"Velmora";
inline constexpr wchar_t MissingFileMessage[] = L"An important file not found.";
inline constexpr wchar_t CreditLine[] = L"Made by the Velmora developers";
inline constexpr wchar_t AboutMessage[] =
    L"Velmora " VELMORA_VERSION_TEXT L" \u2014 made by the Velmora developers.";

// What failed, completed by the system's explanation (ThrowLastError).
inline constexpr wchar_t RegisterClassFailed[] = L"Velmora could not register its window class";
inline constexpr wchar_t CreateWindowFailed[] = L"Velmora could not create its window";
inline constexpr wchar_t CreateControlsFailed[] = L"Velmora could not create its controls";
inline constexpr wchar_t LayoutFailed[] = L"Velmora could not lay out its window";
inline constexpr wchar_t CreateFontsFailed[] = L"Velmora could not create its fonts";
inline constexpr wchar_t ReadMessageFontFailed[] =
    L"Velmora could not read the system's message font";
inline constexpr wchar_t ShowResultFailed[] = L"Velmora could not show the result";
inline constexpr wchar_t FindFolderFailed[] = L"Velmora could not find its own folder";
// Where the system records no reason of its own.
inline constexpr wchar_t NoReasonGiven[] = L"Windows gave no reason";
// A field that cannot make room for its text fails without a reason.
inline constexpr wchar_t FieldTooFull[] = L"the field could not take that much text";
// Failures no sentence above foresees.
inline constexpr wchar_t OutOfMemoryMessage[] = L"Velmora ran out of memory.";
inline constexpr wchar_t UnforeseenFailure[] = L"Velmora met a fault it did not foresee";

} // namespace velmora
