// The cover with its thread DPI unaware, as Windows runs a program that declares no awareness (Wine 8 makes
// every program per-monitor aware and will not make a process unaware). wine.ScaledScreen.At144Dpi runs it
// again on a screen at 144 DPI, where an unaware thread is told of a screen of 683 x 512.
#include <atomic>
#include <cstdlib>

#include "common/text.hpp"
#include "ui/dpi_awareness.hpp"
#include "wine/cover_fixture.hpp"

namespace testing_wine {
namespace {

using ScaledScreen = CoverFixture;

// As the system reports it: 0 unaware, 2 per-monitor aware.
int WindowAwareness(HWND wnd) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    auto context = reinterpret_cast<DPI_AWARENESS_CONTEXT(WINAPI*)(HWND)>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    auto awareness = reinterpret_cast<int(WINAPI*)(DPI_AWARENESS_CONTEXT)>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    return awareness(context(wnd));
}

bool IsRed(int x, int y) { return ScreenPixel(x, y) == RGB(255, 0, 0); }

TEST_F(ScaledScreen, CoverAndCaptureInRealPixelsItsBoxesUnaware) {
    const int dpi = GetDeviceCaps(ui::WindowDC::Of(nullptr).Get(), LOGPIXELSX);
    if (const char* asked = std::getenv("OBSC32_TEST_DPI")) {
        ASSERT_EQ(dpi, std::atoi(asked)) << "the screen is not at the DPI asked for";
    }
    // Beyond two thirds of the screen; red inside its one-pixel border.
    testing_common::PlainWindow mark({800, 560, 960, 700}, RGB(255, 0, 0));
    mark.Show();
    ASSERT_TRUE(WaitUntil([] { return IsRed(801, 561); })) << "the mark is not drawn";
    std::atomic<int> boxAwareness{-1};
    {
        ui::DpiAwarenessScope unaware(DPI_AWARENESS_CONTEXT_UNAWARE);
        const int unawareWidth = MulDiv(1024, 96, dpi);
        ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), unawareWidth);
        obsc32::TOBSCURIO32VANTE& c = CreateStarted();
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), unawareWidth) << "the thread kept the cover's awareness";
        // As from the tray: the screen taken and shown on top; then a box of the cover's own message.
        c.PCapChanClick(&c.Menus.PCapChan);
        BoxWatcher closer(testing_common::kProgramBox, [&](const std::string&) {
            boxAwareness =
                WindowAwareness(FindWindowW(testing_common::W(testing_common::kProgramBox).c_str(), nullptr));
            return std::string();
        });
        SendMessageA(c.Handle(), obsc32::WM_SECOND_START, 0, 0);
    }
    EXPECT_EQ(boxAwareness, 0) << "the box is DPI aware";
    // With the mark gone, the cover shows it in its place, pixel for pixel.
    mark.Hide();
    EXPECT_TRUE(HoldsFor(
        [] { return IsRed(801, 561) && IsRed(958, 698) && !IsRed(800, 560) && !IsRed(959, 699); }, 500));
}

}  // namespace
}  // namespace testing_wine
