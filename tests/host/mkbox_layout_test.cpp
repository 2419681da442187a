#include "widgets/mkbox_layout.hpp"

#include <gtest/gtest.h>

#include "widgets/work_area_rules.hpp"

using namespace obsc32;

namespace {
// A dialog frame of 3 px a side under a 19 px caption.
MKBoxLayoutInput Input(int kind, bool countdown, int def, int textW, int textH) {
    MKBoxLayoutInput in;
    in.Kind = kind;
    in.Countdown = countdown;
    in.Default = def;
    in.TextWidth = textW;
    in.TextHeight = textH;
    in.FrameWidth = 6;
    in.FrameHeight = 25;
    in.CountWidth = 30;
    in.CountHeight = 13;
    return in;
}
}  // namespace

TEST(MKBoxLayout, OkBoxForOneLine) {
    MKBoxLayout l = LayoutMKBox(Input(0, false, 0, 100, 13));
    EXPECT_EQ(l.Width, 206);
    EXPECT_EQ(l.Height, 152);
    EXPECT_EQ(l.Memo, (BoxRect{64, 16, 110, 39}));
    EXPECT_EQ(l.Icon, (BoxRect{16, 16, 32, 32}));
    EXPECT_EQ(l.Ok, (BoxRect{55, 74, 89, 33}));
    EXPECT_TRUE(l.OkVisible);
    EXPECT_FALSE(l.YesNoVisible);
    EXPECT_FALSE(l.CountdownVisible);
    EXPECT_FALSE(l.SelectVisible);
}

TEST(MKBoxLayout, YesNoCountdownWidensForTheSecondsAndMarksYes) {
    MKBoxLayout l = LayoutMKBox(Input(1, true, 6, 100, 13));
    EXPECT_FALSE(l.OkVisible);
    EXPECT_TRUE(l.YesNoVisible);
    EXPECT_TRUE(l.CountdownVisible);
    // Gaps of (200 - 267) / 4 fall to the minimum of 10.
    EXPECT_EQ(l.Yes, (BoxRect{10, 74, 89, 33}));
    EXPECT_EQ(l.No, (BoxRect{109, 74, 89, 33}));
    EXPECT_EQ(l.Stop, (BoxRect{208, 74, 89, 33}));
    EXPECT_EQ(l.Open, l.Stop);
    // The client reaches the pause button's right edge plus the seconds label.
    EXPECT_EQ(l.Width, 333);
    EXPECT_EQ(l.ClientWidth(), 297 + 30);
    EXPECT_EQ(l.Memo.Width, 210);  // three quarters across the pause button: 22 * 3 + 208 - 64
    EXPECT_EQ(l.Count, (BoxRect{297, 114, 30, 13}));
    EXPECT_TRUE(l.SelectVisible);
    EXPECT_EQ(l.Select, (BoxRect{10, 71, 89, 3}));
}

TEST(MKBoxLayout, ManyLinesGrowTheBoxAndCentreTheIconAndButtons) {
    MKBoxLayout l = LayoutMKBox(Input(0, false, 0, 300, 65));
    EXPECT_EQ(l.Memo, (BoxRect{64, 16, 310, 91}));
    EXPECT_EQ(l.Width, 406);
    EXPECT_EQ(l.Height, 204);
    EXPECT_EQ(l.Icon.Top, 41);
    EXPECT_EQ(l.Ok.Top, 126);
    EXPECT_EQ(l.Ok.Left, (400 - 89) / 2);
}

TEST(MKBoxLayout, NarrowTextsWidenTheBoxToTheButtons) {
    MKBoxLayout ok = LayoutMKBox(Input(0, false, 0, 3, 13));
    EXPECT_EQ(ok.Ok.Left, 7);
    EXPECT_EQ(ok.Width, 96 + 16);
    EXPECT_EQ(ok.Memo.Width, 13);

    MKBoxLayout yn = LayoutMKBox(Input(1, false, 6, 10, 13));
    EXPECT_EQ(yn.Yes.Left, 10);
    EXPECT_EQ(yn.No.Left, 109);
    EXPECT_EQ(yn.Width, 198 + 16);
    EXPECT_EQ(yn.Memo.Width, 111);
    EXPECT_FALSE(yn.SelectVisible);  // no countdown, no bar
}

TEST(MKBoxLayout, TheBarMarksWhatATimeoutAnswers) {
    EXPECT_FALSE(LayoutMKBox(Input(0, true, 0, 100, 13)).SelectVisible);
    MKBoxLayout one = LayoutMKBox(Input(0, true, 1, 100, 13));
    EXPECT_TRUE(one.SelectVisible);
    EXPECT_EQ(one.Select.Left, one.Ok.Left);
    EXPECT_EQ(one.Select.Top, one.Ok.Top - 3);
    MKBoxLayout no = LayoutMKBox(Input(1, true, 7, 100, 13));
    EXPECT_EQ(no.Select.Left, no.No.Left);
    // The close box's answer: the bar goes to the top edge, right of the pause button.
    MKBoxLayout two = LayoutMKBox(Input(0, true, 2, 100, 13));
    EXPECT_TRUE(two.SelectVisible);
    EXPECT_EQ(two.Select.Left, two.Open.Left + 89);
    EXPECT_EQ(two.Select.Top, 3);
    EXPECT_FALSE(LayoutMKBox(Input(1, true, 1, 100, 13)).SelectVisible);
    EXPECT_FALSE(LayoutMKBox(Input(0, true, 6, 100, 13)).SelectVisible);
}

TEST(MKBoxLayout, WideTextKeepsTheGapsProportional) {
    MKBoxLayout l = LayoutMKBox(Input(0, true, 0, 600, 13));
    // Client 700 wide: gaps (700 - 178) / 3 = 174.
    EXPECT_EQ(l.Ok.Left, 174);
    EXPECT_EQ(l.Stop.Left, 174 + 89 + 174);
    EXPECT_EQ(l.Width, 706);  // the seconds fit already
    EXPECT_EQ(l.Memo.Width, 610);
}

TEST(MKBoxLayout, RoundingHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(22.25), 22);
    EXPECT_EQ(RoundHalfEven(22.5), 22);
    EXPECT_EQ(RoundHalfEven(23.5), 24);
    EXPECT_EQ(RoundHalfEven(22.75), 23);
}

TEST(PlaceBox, CentresOnTheAnchorAndClampsIntoTheWorkArea) {
    ScreenArea work{0, 0, 1024, 740};
    int left, top;
    PlaceBox(nullptr, work, 206, 152, left, top);
    EXPECT_EQ(left, 409);
    EXPECT_EQ(top, 294);
    ScreenArea anchor{900, 700, 400, 300};
    PlaceBox(&anchor, work, 206, 152, left, top);
    EXPECT_EQ(left, 818);
    EXPECT_EQ(top, 588);
    ScreenArea offLeft{-500, -400, 100, 100};
    PlaceBox(&offLeft, work, 206, 152, left, top);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 0);
    // Larger than the work area: pinned to its top-left corner.
    ScreenArea shifted{60, 28, 964, 740};
    PlaceBox(nullptr, shifted, 2000, 1000, left, top);
    EXPECT_EQ(left, 60);
    EXPECT_EQ(top, 28);
}

TEST(WorkArea, TaskbarCandidatesAndTheAreaTheyLeave) {
    const int w = 1024, h = 768;
    WorkArea a;
    WinRect bottom{-2, 740, 1026, 770};
    EXPECT_TRUE(IsTaskbarCandidate(bottom, w, h));
    EXPECT_TRUE(WorkAreaBesideTaskbar(bottom, w, h, a));
    EXPECT_EQ(a.Top, 0);
    EXPECT_EQ(a.Height, 740);
    EXPECT_EQ(a.Width, 1024);

    WinRect top{-2, -2, 1026, 28};
    EXPECT_TRUE(IsTaskbarCandidate(top, w, h));
    WorkAreaBesideTaskbar(top, w, h, a);
    EXPECT_EQ(a.Top, 28);
    EXPECT_EQ(a.Height, 740);

    WinRect left{-2, -2, 60, 770};
    EXPECT_TRUE(IsTaskbarCandidate(left, w, h));
    WorkAreaBesideTaskbar(left, w, h, a);
    EXPECT_EQ(a.Left, 60);
    EXPECT_EQ(a.Width, 964);
    EXPECT_EQ(a.Height, 768);

    WinRect right{964, -2, 1026, 770};
    EXPECT_TRUE(IsTaskbarCandidate(right, w, h));
    WorkAreaBesideTaskbar(right, w, h, a);
    EXPECT_EQ(a.Left, 0);
    EXPECT_EQ(a.Width, 964);

    // At the screen's edge, full-screen, or too tall for a bar.
    EXPECT_FALSE(IsTaskbarCandidate({0, 740, 1024, 768}, w, h));
    EXPECT_FALSE(IsTaskbarCandidate({0, 0, 1024, 768}, w, h));
    EXPECT_FALSE(IsTaskbarCandidate({-2, 300, 1026, 690}, w, h));
    EXPECT_FALSE(IsTaskbarCandidate({100, 100, 300, 200}, w, h));
    EXPECT_FALSE(IsTaskbarCandidate({-2, -2, 600, 770}, w, h));

    // A bar leaving nothing: the full screen, and false.
    EXPECT_FALSE(WorkAreaBesideTaskbar({-2, 0, 1026, 30}, w, h, a));
    EXPECT_EQ(a.Height, 768);
    EXPECT_EQ(a.Top, 0);
}
