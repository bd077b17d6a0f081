#pragma once

#include <windows.h>

namespace velmora {

// Shows the wait cursor for as long as it lives. A command runs without
// pumping messages, so nothing resets the cursor before it returns; restoring
// the previous one at once spares the user a busy cursor over a message box.
class WaitCursor {
  public:
    WaitCursor() noexcept : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { SetCursor(previous_); }

  private:
    HCURSOR previous_;
};

} // namespace velmora
