#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace velmora {

// How a message box is shown: MessageBoxW in the program; a test passes one
// that records the message instead of waiting for a click.
using MessageBoxFunction =
    std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)>;

// Every message the user sees: the text, caption "Velmora", a single OK button
// and no icon, modal to the owner.
void ShowMessage(const MessageBoxFunction& messageBox, HWND owner, std::wstring_view text);

// The one way from any failure to the sentence the user reads: a stop in the
// coordinate file, a failed system call, or what nobody foresaw.
std::wstring FailureMessage(const std::exception_ptr& failure);

} // namespace velmora
