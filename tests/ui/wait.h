#pragma once

#include <windows.h>

#include <chrono>

namespace velmora::ui {

// How long the driver waits for the program to react before it gives up. Generous:
// it only bounds a failing test, a passing one never waits this long.
inline constexpr std::chrono::milliseconds ReactionDeadline{10000};
// How long a new velmora.exe may take to show its window: Wine now and then
// restarts its services first, which takes longer than any reaction.
inline constexpr std::chrono::milliseconds StartupDeadline{45000};
// How long a click handler may run: a long import on a busy machine takes seconds.
inline constexpr std::chrono::milliseconds HandlerDeadline{60000};

// Polls until the condition holds or the deadline passes; returns whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds deadline = ReactionDeadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return condition();
        Sleep(2);
    }
    return true;
}

} // namespace velmora::ui
