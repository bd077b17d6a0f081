#pragma once

#include "velmora_version.h"

namespace velmora {

// The program's own words, in one place.
inline constexpr wchar_t ProgramTitle[] = L"Velmora";
inline constexpr wchar_t MissingFileMessage[] = L"An important file not found.";
inline constexpr wchar_t CreditLine[] = L"Made by the Velmora developers";
inline constexpr wchar_t AboutMessage[] =
    L"Velmora " VELMORA_VERSION_TEXT L" \u2014 made by the Velmora developers.";

} // namespace velmora
