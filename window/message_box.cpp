#include "message_box.h"

#include "texts.h"

#include <string>

namespace velmora {

void ShowMessage(HWND owner, std::wstring_view text) {
    const std::wstring terminated(text);
    MessageBoxW(owner, terminated.c_str(), ProgramTitle, MB_OK);
}

} // namespace velmora
