#pragma once

// What the user should see, shared by the tests at 96 and 144 DPI.
#include "expected_layout.h"
#include "in_process_probe.h"
#include "message_box.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace velmora::ui {

// Every message of the program: captioned "Velmora", a single OK button, no
// icon, modal to Form1.
inline void ExpectVelmoraMessageBox(const MessageBoxView& box, HWND form) {
    EXPECT_EQ(box.caption, L"Velmora");
    EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_FALSE(box.showsIcon);
    EXPECT_EQ(box.owner, form);
    EXPECT_FALSE(box.ownerEnabled);
}

// Twice the centre is compared, so an odd leftover pixel on either side is allowed.
inline void ExpectCentredOnScreen(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_NEAR(frame.left + frame.right, monitor.rcWork.left + monitor.rcWork.right, 2);
    EXPECT_NEAR(frame.top + frame.bottom, monitor.rcWork.top + monitor.rcWork.bottom, 2);
}

// Bold where the table says so, at its point size for the DPI; every other control
// shares one font, the window's default, which is not bold. Only the size and
// weight are checked: where "MS Sans Serif" is missing a substitute stands in.
inline void ExpectFonts(const InProcessProbe& probe, int dpi) {
    std::optional<ProbedFont> defaultFont;
    for (const ExpectedControl& expected : ExpectedControls) {
        SCOPED_TRACE(expected.name);
        const std::optional<ProbedFont> font = probe.Font(expected.id);
        ASSERT_TRUE(font.has_value()) << "left with the system font";
        if (expected.font == ExpectedFont::Default) {
            EXPECT_LT(font->weight, FW_BOLD);
            if (!defaultFont)
                defaultFont = font;
            EXPECT_EQ(font->height, defaultFont->height);
            EXPECT_EQ(font->weight, defaultFont->weight);
        } else {
            const double points = expected.font == ExpectedFont::Bold1200 ? 12.0 : 9.75;
            EXPECT_GE(font->weight, FW_BOLD);
            EXPECT_LT(font->height, 0) << "a character height, as a point size gives";
            EXPECT_NEAR(std::abs(font->height), points * dpi / 72.0, 0.5);
        }
    }
}

} // namespace velmora::ui
