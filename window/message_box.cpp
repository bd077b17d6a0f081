#include "message_box.h"

#include "texts.h"

#include <string>

namespace velmora {

void ShowMessage(const MessageBoxFunction& messageBox, HWND owner, std::wstring_view text) {
    const std::wstring terminated(text);
    messageBox(owner, terminated.c_str(), ProgramTitle, MB_OK);
}

} // namespace velmora
