// What the person sees when the cover shows itself at start-up: on top of everything, or beneath everything.
#include <algorithm>

#include "e2e/fixture.hpp"

namespace e2e {
namespace {

using CoverPlacement = E2eTest;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
// A window of the test's own, opened before the cover.
constexpr RECT kTestWindowBounds{100, 100, 400, 300};
constexpr POINT kInTestWindow{250, 200};
// Points the cover must blacken when it is on top: corners, the middle, the taskbar, the tray.
constexpr POINT kScreenPoints[] = {{0, 0},      {1023, 0}, {512, 384},  {0, 767},
                                   {1023, 767}, {5, 760},  {1013, 758}, kInTestWindow};

bool CoversTheScreen(HWND wnd) {
    RECT r = RectOf(wnd);
    return r.left == 0 && r.top == 0 && r.right == 1024 && r.bottom == 768;
}

bool HasTaskbarButton(HWND wnd) {
    std::vector<HWND> shown = TaskbarButtonWindows();
    return std::find(shown.begin(), shown.end(), wnd) != shown.end();
}

// The program has no button on the taskbar, while the test's own window, shown all along, has one: so the
// buttons are there to be read.
::testing::AssertionResult NoTaskbarButton(const Program& program, HWND mine) {
    if (!WaitUntil([&] { return HasTaskbarButton(mine); }))
        return ::testing::AssertionFailure() << "the taskbar shows no button for the test's own window";
    if (!HoldsFor([&] { return TaskbarButtonWindowsOf(program.Pid()).empty(); }, 500))
        return ::testing::AssertionFailure() << "the taskbar shows a button for the program";
    return ::testing::AssertionSuccess();
}

TEST_F(CoverPlacement, AutoStartOnTopBlackensTheWholeScreenAndTakesTheFocus) {
    PlainWindow mine(kTestWindowBounds, kRed);
    mine.Show();
    ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(kInTestWindow.x, kInTestWindow.y) == kRed; }))
        << "the test window is not drawn";
    registry::StoreAutoStart(true);

    Program program;
    HWND cover = program.WaitForWindow(kCoverClass);
    ASSERT_NE(cover, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(cover) && IsTopmost(cover); }))
        << "the cover did not show on top";
    EXPECT_TRUE(CoversTheScreen(cover));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == cover; }))
        << "the cover is not in the foreground";
    // It takes no typed text; an input method would only weigh on it once active.
    EXPECT_EQ(program.Window("IME"), nullptr) << "the cover has an input method";
    for (POINT p : kScreenPoints)
        EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(p.x, p.y) == kBlack; }))
            << "not black at " << p.x << "," << p.y << ": " << std::hex << ScreenPixel(p.x, p.y);
    EXPECT_TRUE(IsAbove(cover, mine.Handle()));
    EXPECT_TRUE(NoTaskbarButton(program, mine.Handle()));
}

TEST_F(CoverPlacement, AutoStartAtTheBottomStaysBeneathOtherWindowsAndLeavesTheFocus) {
    PlainWindow mine(kTestWindowBounds, kRed);
    mine.Show();
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == mine.Handle(); }))
        << "the test window did not get the focus";
    registry::StoreAutoStart(false);

    Program program;
    HWND cover = program.WaitForWindow(kCoverClass);
    ASSERT_NE(cover, nullptr);
    // The placement passes through other states on its way; what counts is where it settles. The focus,
    // though, must never move.
    bool focusMoved = false;
    EXPECT_TRUE(WaitUntilSteady(
        [&] {
            focusMoved |= GetForegroundWindow() != mine.Handle();
            return IsWindowVisible(cover) && IsAbove(mine.Handle(), cover) &&
                   VisibleWindowsBelow(cover).empty() && !IsTopmost(cover);
        },
        300))
        << "the cover did not settle at the bottom";
    EXPECT_FALSE(focusMoved) << "the bottom cover took the focus";
    EXPECT_TRUE(CoversTheScreen(cover));
    // Only the window order is checked, not the pixels of the test window: Wine's X11 driver never lowers a
    // window in the X stacking, so on screen the bottom cover, mapped last, hides the test window.
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(800, 100) == kBlack; })) << "the desktop is not covered";
    EXPECT_TRUE(NoTaskbarButton(program, mine.Handle()));
    // That a click on it leaves it beneath is CoverTest.ARealClickOnTheBottomCoverLeavesItAtTheBottom's.
}

}  // namespace
}  // namespace e2e
