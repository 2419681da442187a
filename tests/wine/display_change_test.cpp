// The cover after the display's size changes: its window, its placement and what each face shows.
#include <memory>

#include <gtest/gtest.h>

#include "common/screen_size.hpp"
#include "ui/gdi.hpp"
#include "wine/bmp_files.hpp"
#include "wine/cover_fixture.hpp"

using namespace testing_wine;
using obsc32::TOBSCURIO32VANTE;
using Position = obsc32::WallpaperPosition;
using testing_common::ScopedScreenSize;

namespace {

using DisplayChangeTest = FacesFixture;

bool CoversScreen(HWND wnd, int w, int h) {
    RECT r;
    return GetWindowRect(wnd, &r) && r.left == 0 && r.top == 0 && r.right == w && r.bottom == h;
}

using testing_common::IsTopmost;

}  // namespace

// What the grown screen shows is read by the end-to-end test of the running program.
TEST_F(DisplayChangeTest, CoverTakesTheNewScreenOnTopAtTheBottomOrHidden) {
    ScopedScreenSize screen(800, 600);
    ASSERT_TRUE(screen.Changed());
    TOBSCURIO32VANTE& c = CreateStarted();
    c.PKUROClick(&c.Menus.PKURO);
    ASSERT_TRUE(IsTopmost(c.Handle()));
    ASSERT_TRUE(screen.Set(1024, 768));
    EXPECT_TRUE(WaitUntil([&] { return CoversScreen(c.Handle(), 1024, 768); }));
    EXPECT_TRUE(IsTopmost(c.Handle()));

    c.P2Click(&c.Menus.P2);
    ASSERT_TRUE(screen.Set(640, 480));
    EXPECT_TRUE(WaitUntil([&] { return CoversScreen(c.Handle(), 640, 480); }));
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_FALSE(IsTopmost(c.Handle()));
    EXPECT_TRUE(IsAtBottom(c.Handle()));

    c.P3Click(&c.Menus.P3);
    ASSERT_TRUE(screen.Set(1024, 768));
    EXPECT_TRUE(WaitUntil([&] { return CoversScreen(c.Handle(), 1024, 768); }));
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
    // Back from sleep the screen is read again, as it may have changed unannounced.
    SetWindowPos(c.Handle(), nullptr, 10, 10, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(c.Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_TRUE(CoversScreen(c.Handle(), 1024, 768));
}

TEST_F(DisplayChangeTest, WallpaperIsComposedAnewAndCentredOnTheNewScreen) {
    TOBSCURIO32VANTE& c = CreateStarted();
    const std::string file = File("tile100.bmp");
    WriteBmp24(file, 100, 100, Coded);
    ShowWallpaper(file, Position::Tile);
    ScopedScreenSize screen(800, 600);
    ASSERT_TRUE(screen.Changed());
    ASSERT_TRUE(WaitUntil([&] { return c.Image1.PictureSize().cx == 800; }));
    // One tile centred on 800 x 600: its top-left corner at (350, 250).
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), 800, 600,
                          [](int x, int y) { return Coded(Mod(x - 350, 100), Mod(y - 250, 100)); }));
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(0, 0) == Coded(50, 50); }));

    ShowWallpaper(file, Position::Center);
    ASSERT_TRUE(screen.Set(1024, 768));
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(462, 334) == Coded(0, 0); }));
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(561, 433) == Coded(99, 99); }));
    EXPECT_EQ(ScreenPixel(400, 300), RGB(0, 0, 0));
}

TEST_F(DisplayChangeTest, CaptureFromTheOldSizeShowsStretchedAndIsNotTakenAgain) {
    // The wallpaper drawn centred, not placed: the capture face must not keep its way of drawing.
    const std::string file = File("small.bmp");
    WriteBmp24(file, 10, 10, Coded);
    SetProductValue("ICHI", "0");
    SetProductValue("BMPFile", file);
    TOBSCURIO32VANTE& c = CreateStarted();
    c.Model.ChooseFace(2, false);
    // Red on the left quarter of the screen when it is captured.
    auto red = std::make_unique<testing_common::PlainWindow>(RECT{0, 0, 256, 768}, RGB(255, 0, 0),
                                                             WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    red->Show(false);
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(250, 300) == RGB(255, 0, 0); }));
    c.PCapChanClick(&c.Menus.PCapChan);
    red.reset();
    const HBITMAP capture = Capture();
    ASSERT_TRUE(capture);

    ScopedScreenSize screen(800, 600);
    ASSERT_TRUE(screen.Changed());
    // Stretched by 800 / 1024, the red quarter ends at x = 200.
    EXPECT_TRUE(WaitUntil(
        [] { return ScreenPixel(190, 300) == RGB(255, 0, 0) && ScreenPixel(210, 300) != RGB(255, 0, 0); }));
    EXPECT_EQ(Capture(), capture);
    const SIZE size = ui::BitmapSize(capture);
    EXPECT_EQ(size.cx, 1024);
    EXPECT_EQ(size.cy, 768);
}
