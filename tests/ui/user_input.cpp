#include "user_input.h"

#include "driver_error.h"

#include <vector>

namespace velmora::ui {

namespace {

void Send(std::vector<INPUT> inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size())
        throw DriverError("SendInput refused the input");
}

// The point travels with each event, so no pointer motion reported meanwhile
// can move the click elsewhere.
INPUT MouseAt(POINT screen, DWORD flags) {
    // Absolute positions are in 1/65536 of the primary screen, rounded up so that
    // they map back onto the very pixel.
    const auto normalised = [](LONG pixel, int screenSize) {
        return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) /
                                 screenSize);
    };
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

INPUT Key(WORD key, WORD scanCode, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    return input;
}

} // namespace

void ClickAt(POINT screen) {
    Send({MouseAt(screen, 0), MouseAt(screen, MOUSEEVENTF_LEFTDOWN),
          MouseAt(screen, MOUSEEVENTF_LEFTUP)});
}

void PressKey(WORD key, WORD modifier) {
    std::vector<INPUT> inputs;
    if (modifier != 0)
        inputs.push_back(Key(modifier, 0, 0));
    inputs.push_back(Key(key, 0, 0));
    inputs.push_back(Key(key, 0, KEYEVENTF_KEYUP));
    if (modifier != 0)
        inputs.push_back(Key(modifier, 0, KEYEVENTF_KEYUP));
    Send(std::move(inputs));
}

void Type(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        inputs.push_back(Key(0, c, KEYEVENTF_UNICODE));
        inputs.push_back(Key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    Send(std::move(inputs));
}

} // namespace velmora::ui
