// The running program after the display's size changes: the cover it shows takes the whole new screen.
#include "common/screen_size.hpp"
#include "e2e/fixture.hpp"

namespace e2e {
namespace {

using DisplayChange = E2eTest;

bool CoversScreen(HWND wnd, int w, int h) {
    RECT r = RectOf(wnd);
    return r.left == 0 && r.top == 0 && r.right == w && r.bottom == h;
}

TEST_F(DisplayChange, CoverOnTopBlackensTheWholeGrownScreen) {
    ASSERT_NE(ScreenPixel(900, 100), RGB(0, 0, 0))
        << "the desktop is black: the cover's black cannot be told";
    testing_common::ScopedScreenSize screen(800, 600);
    ASSERT_TRUE(screen.Changed());
    registry::StoreAutoStart(true);

    Program program;
    HWND cover = program.WaitForWindow(kCoverClass);
    ASSERT_NE(cover, nullptr);
    ASSERT_TRUE(WaitUntil([&] {
        return IsWindowVisible(cover) && IsTopmost(cover) && CoversScreen(cover, 800, 600);
    })) << "the cover did not show on top of the small screen";
    ASSERT_TRUE(screen.Set(1024, 768));
    EXPECT_TRUE(WaitUntil([&] { return CoversScreen(cover, 1024, 768); }));
    EXPECT_TRUE(IsTopmost(cover));
    // Beyond the small screen, the taskbar's new place included.
    for (POINT p : {POINT{900, 100}, POINT{100, 700}, POINT{1023, 767}})
        EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(p.x, p.y) == RGB(0, 0, 0); }))
            << "not black at " << p.x << "," << p.y;
}

}  // namespace
}  // namespace e2e
