#pragma once

#include <windows.h>

#include <string_view>

namespace velmora {

// Every message the user sees: the text, caption "Velmora", a single OK button
// and no icon, modal to the owner.
void ShowMessage(HWND owner, std::wstring_view text);

} // namespace velmora
