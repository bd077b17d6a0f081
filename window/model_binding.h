#pragma once

#include "window_model.h"

#include <windows.h>

namespace velmora {

// The window model lives in Form1's controls; a command works on a copy.

// Reads Text1 to Text4 and the selection of Option1.
WindowModel ReadModel(HWND form);

// Writes back only what differs from what the controls showed before the
// command: setting a text costs time, and a long list far more.
void WriteModel(HWND form, const WindowModel& model, const WindowModel& shown);

} // namespace velmora
