// The cover on two monitors side by side, 800 x 600 and 640 x 480 from (800, 0): run in that set-up only.
#include "common/plain_window.hpp"
#include "common/windows.hpp"
#include "wine/bmp_files.hpp"
#include "wine/cover_fixture.hpp"

using namespace testing_wine;
using Position = obsc32::WallpaperPosition;
using TwoMonitors = FacesFixture;

namespace {
bool Shows(const std::vector<POINT>& at, const std::vector<COLORREF>& colours) {
    return WaitUntil([&] { return testing_common::ScreenPixelsAt(at) == colours; });
}
bool Covers(HWND cover, int right, int bottom) {
    const RECT r = testing_common::RectOf(cover);
    return r.left == 0 && r.top == 0 && r.right == right && r.bottom == bottom;
}
}  // namespace

TEST_F(TwoMonitors, EveryFaceCoversBothMonitorsThenThePrimaryAlone) {
    testing_common::PlainWindow red(RECT{900, 0, 1000, 100}, RGB(255, 0, 0),
                                    WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    red.Show(false);
    obsc32::TOBSCURIO32VANTE& c = CreateStarted();
    c.PCapChanClick(&c.Menus.PCapChan);
    red.Hide();
    EXPECT_TRUE(Covers(c.Handle(), 1440, 600));
    EXPECT_TRUE(Shows({{950, 50}}, {RGB(255, 0, 0)})) << "the capture lacks the second monitor";
    c.PKUROClick(&c.Menus.PKURO);
    EXPECT_TRUE(Shows({{950, 50}}, {RGB(0, 0, 0)}));

    const std::string file = File("coded.bmp");
    WriteBmp24(file, 100, 100, Coded);
    ShowWallpaper(file, Position::Center);
    // Black around the picture on the second monitor: centred there, not on the whole cover.
    EXPECT_TRUE(Shows({{360, 270}, {1080, 210}, {1169, 289}, {1060, 190}},
                      {Coded(10, 20), Coded(10, 20), Coded(99, 99), RGB(0, 0, 0)}));
    ShowWallpaper(file, Position::Stretch);
    EXPECT_TRUE(Shows({{400, 300}, {1120, 240}, {1439, 479}}, {Coded(50, 50), Coded(50, 50), Coded(99, 99)}));

    // The second monitor gone, as the cover sees it (this Wine cannot take a monitor away): the primary alone,
    // the file itself stretched over it rather than a picture composed for two.
    c.Faces.SetScreens(obsc32::ParseScreens("0"));
    SendMessageA(c.Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600));
    EXPECT_TRUE(Covers(c.Handle(), 800, 600));
    EXPECT_TRUE(WaitUntil([&] { return c.Image1.PictureSize().cx == 100; }));
}

// The second monitor alone, chosen by its identity: covered, and the primary's pixels left as they were.
TEST_F(TwoMonitors, AChosenMonitorAloneIsCoveredAndTheOtherLeftAsItWas) {
    const std::vector<obsc32::MonitorInfo> monitors = obsc32::ReadMonitors();
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_NE(monitors[0].DeviceId, monitors[1].DeviceId);
    EXPECT_EQ(obsc32::MonitorIdentity(monitors[0].DeviceId), obsc32::MonitorIdentity(monitors[1].DeviceId));
    const std::size_t primary = monitors[0].Primary ? 0 : 1;
    testing_common::PlainWindow green(RECT{100, 100, 200, 200}, RGB(0, 255, 0), WS_EX_TOOLWINDOW);
    green.Show(false);
    obsc32::TOBSCURIO32VANTE& c = CreateStarted();
    c.Faces.SetScreens(obsc32::Toggled(obsc32::ScreenChoice{}, monitors, primary));
    SendMessageA(c.Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600));
    c.PKUROClick(&c.Menus.PKURO);
    EXPECT_TRUE(WaitUntil([&] {
        const RECT r = testing_common::RectOf(c.Handle());
        return r.left == 800 && r.top == 0 && r.right == 1440 && r.bottom == 480;
    }));
    EXPECT_TRUE(Shows({{150, 150}, {1000, 200}}, {RGB(0, 255, 0), RGB(0, 0, 0)}));
}
