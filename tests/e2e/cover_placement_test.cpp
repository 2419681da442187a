// The cover shown by itself at start-up, seen as the program's own process: what the in-process cover
// tests cannot see, because there the cover lives in the test's process.
#include <algorithm>

#include "e2e/fixture.hpp"

namespace e2e {
namespace {

using CoverPlacement = E2eTest;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr POINT kTaskbar{5, 760};

bool HasTaskbarButton(HWND wnd) {
    std::vector<HWND> shown = TaskbarButtonWindows();
    return std::find(shown.begin(), shown.end(), wnd) != shown.end();
}

// Where and how it covers, and that the focus stays, is CoverTest.AutoStart*'s; this is the road, and
// what belongs to the program's process: its input method and its taskbar buttons.
TEST_F(CoverPlacement, AutoStartOnTopMakesNoInputMethodAndNoTaskbarButtonInTheProgram) {
    PlainWindow mine({100, 100, 400, 300}, kRed);
    mine.Show();
    registry::StoreAutoStart(true);

    Program program;
    HWND cover = program.WaitForWindow(kCoverClass);
    ASSERT_NE(cover, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(cover) && IsTopmost(cover); }))
        << "the cover did not show on top";
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(kTaskbar.x, kTaskbar.y) == RGB(0, 0, 0); }))
        << "the taskbar is not covered";
    // It takes no typed text; an input method would only weigh on it once active.
    EXPECT_EQ(program.Window("IME"), nullptr) << "the cover has an input method";
    // The test's own window, shown all along, has a button: so the buttons are there to be read.
    ASSERT_TRUE(WaitUntil([&] { return HasTaskbarButton(mine.Handle()); }))
        << "the taskbar shows no button for the test's own window";
    EXPECT_TRUE(HoldsFor([&] { return TaskbarButtonWindowsOf(program.Pid()).empty(); }, 500))
        << "the taskbar shows a button for the program";

    // Another program's always-on-top window raised over it: the cover takes the top back.
    PlainWindow other({500, 300, 700, 500}, kRed, WS_EX_TOPMOST);
    other.Show(false);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(600, 400) == RGB(0, 0, 0); }, 3000))
        << "the cover stayed under the other window";
}

}  // namespace
}  // namespace e2e
