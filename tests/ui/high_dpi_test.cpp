// Form1 in a 144-DPI session: the layout keeps its proportions. The build runs it
// in a Wine prefix of its own whose DPI it has set to 144.
#include "expectations.h"
#include "expected_layout.h"
#include "in_process_probe.h"
#include "velmora_session.h"

#include <gtest/gtest.h>

#include <optional>

namespace velmora::ui {
namespace {

constexpr int HighDpi = 144;

// Reads Form1 in its own pixels rather than scaled to this process's DPI.
void BecomePerMonitorDpiAware() {
    using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (setContext == nullptr || !setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
        SetProcessDPIAware();
}

int SessionDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int Scaled(int pixelsAt96) {
    return MulDiv(pixelsAt96, HighDpi, 96);
}

class HighDpiTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { BecomePerMonitorDpiAware(); }

    void SetUp() override {
        ASSERT_EQ(SessionDpi(), HighDpi) << "the session was not set to 144 DPI";
        session.emplace();
    }

    std::optional<VelmoraSession> session;
};

TEST_F(HighDpiTest, ClientAreaIs353By510AndCentred) {
    RECT client{};
    GetClientRect(session->form.window(), &client);
    EXPECT_EQ(client.right, 353);
    EXPECT_EQ(client.bottom, 510);

    ExpectCentredOnScreen(session->form.window());
}

TEST_F(HighDpiTest, FontsAreScaledToTheDpi) {
    ExpectFonts(InProcessProbe(session->form), HighDpi);
}

// Half pixels may round either way, so each edge may be one pixel off.
TEST_F(HighDpiTest, EveryControlKeepsItsPlaceInProportion) {
    for (const ExpectedControl& expected : ExpectedControls) {
        SCOPED_TRACE(expected.name);
        const RECT rect = session->form.ControlRect(expected.id);
        EXPECT_NEAR(rect.left, Scaled(expected.left), 1);
        EXPECT_NEAR(rect.top, Scaled(expected.top), 1);
        EXPECT_NEAR(rect.right, Scaled(expected.left + expected.width), 1);
        EXPECT_NEAR(rect.bottom, Scaled(expected.top + expected.height), 1);
    }
}

} // namespace
} // namespace velmora::ui
