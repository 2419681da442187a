// The cover on two monitors side by side, 800 x 600 and 640 x 480 from (800, 0): run in that set-up only.
#include "common/plain_window.hpp"
#include "wine/bmp_files.hpp"
#include "wine/cover_fixture.hpp"

using namespace testing_wine;
using Position = obsc32::WallpaperPosition;

namespace {

using TwoMonitors = FacesFixture;

bool Shows(std::initializer_list<std::pair<POINT, COLORREF>> points) {
    return WaitUntil([&] {
        for (const auto& [p, colour] : points)
            if (ScreenPixel(p.x, p.y) != colour) return false;
        return true;
    });
}

}  // namespace

TEST_F(TwoMonitors, EveryFaceCoversBothMonitors) {
    testing_common::PlainWindow red(RECT{900, 0, 1000, 100}, RGB(255, 0, 0),
                                    WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    red.Show(false);
    obsc32::TOBSCURIO32VANTE& c = CreateStarted();
    c.PCapChanClick(&c.PCapChan);
    red.Hide();
    RECT r{};
    EXPECT_TRUE(GetWindowRect(c.Handle(), &r) && r.left == 0 && r.top == 0 && r.right == 1440 &&
                r.bottom == 600);
    EXPECT_TRUE(Shows({{{950, 50}, RGB(255, 0, 0)}})) << "the capture lacks the second monitor";

    const std::string file = File("coded.bmp");
    WriteBmp24(file, 100, 100, Coded);
    ShowWallpaper(file, Position::Center);
    // Black where no monitor is.
    EXPECT_TRUE(Shows({{{350, 250}, Coded(0, 0)},
                       {{1070, 190}, Coded(0, 0)},
                       {{1169, 289}, Coded(99, 99)},
                       {{1000, 550}, RGB(0, 0, 0)}}));
    ShowWallpaper(file, Position::BottomRight);
    EXPECT_TRUE(
        Shows({{{799, 599}, Coded(99, 99)}, {{1340, 380}, Coded(0, 0)}, {{1439, 479}, Coded(99, 99)}}));
    ShowWallpaper(file, Position::Stretch);
    EXPECT_TRUE(Shows({{{799, 599}, Coded(99, 99)}, {{800, 0}, Coded(0, 0)}, {{1439, 479}, Coded(99, 99)}}));
}

TEST_F(TwoMonitors, StoredZeroKeepsThePrimaryAlone) {
    SetProductValue("Screens", "0");
    obsc32::TOBSCURIO32VANTE& c = CreateStarted();
    c.PKUROClick(&c.PKURO);
    RECT r{};
    EXPECT_TRUE(GetWindowRect(c.Handle(), &r) && r.left == 0 && r.right == 800 && r.bottom == 600);
}
