#include "widgets/mkbox_layout.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "widgets/work_area_rules.hpp"

using namespace obsc32;
using ui::Rect;

namespace {
// A dialog frame of 3 px a side under a 19 px caption.
MKBoxLayoutInput Input(MsgKind kind, bool countdown, int def, int textW, int textH) {
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
    MKBoxLayout l = LayoutMKBox(Input(MsgKind::OK, false, 0, 100, 13));
    EXPECT_EQ(l.Width, 206);
    EXPECT_EQ(l.Height, 152);
    EXPECT_EQ(l.Memo, (Rect{64, 16, 110, 39}));
    EXPECT_EQ(l.Icon, (Rect{16, 16, 32, 32}));
    EXPECT_EQ(l.Ok, (Rect{55, 74, 89, 33}));
    EXPECT_TRUE(l.OkVisible);
    EXPECT_FALSE(l.YesNoVisible);
    EXPECT_FALSE(l.CountdownVisible);
    EXPECT_FALSE(l.SelectVisible);
}

TEST(MKBoxLayout, YesNoCountdownWidensForTheSecondsAndMarksYes) {
    MKBoxLayout l = LayoutMKBox(Input(MsgKind::YesNo, true, 6, 100, 13));
    EXPECT_FALSE(l.OkVisible);
    EXPECT_TRUE(l.YesNoVisible);
    EXPECT_TRUE(l.CountdownVisible);
    // Gaps of (200 - 267) / 4 fall to the minimum of 10.
    EXPECT_EQ(l.Yes, (Rect{10, 74, 89, 33}));
    EXPECT_EQ(l.No, (Rect{109, 74, 89, 33}));
    EXPECT_EQ(l.Stop, (Rect{208, 74, 89, 33}));
    EXPECT_EQ(l.Open, l.Stop);
    // The client reaches the pause button's right edge plus the seconds label.
    EXPECT_EQ(l.Width, 333);
    EXPECT_EQ(l.ClientWidth(), 297 + 30);
    EXPECT_EQ(l.Memo.Width, 210);  // three quarters across the pause button: 22 * 3 + 208 - 64
    EXPECT_EQ(l.Count, (Rect{297, 114, 30, 13}));
    EXPECT_TRUE(l.SelectVisible);
    EXPECT_EQ(l.Select, (Rect{10, 71, 89, 3}));
}

TEST(MKBoxLayout, ManyLinesGrowTheBoxAndCentreTheIconAndButtons) {
    MKBoxLayout l = LayoutMKBox(Input(MsgKind::OK, false, 0, 300, 65));
    EXPECT_EQ(l.Memo, (Rect{64, 16, 310, 91}));
    EXPECT_EQ(l.Width, 406);
    EXPECT_EQ(l.Height, 204);
    EXPECT_EQ(l.Icon.Top, 41);
    EXPECT_EQ(l.Ok.Top, 126);
    EXPECT_EQ(l.Ok.Left, (400 - 89) / 2);
}

TEST(MKBoxLayout, NarrowTextsWidenTheBoxToTheButtons) {
    MKBoxLayout ok = LayoutMKBox(Input(MsgKind::OK, false, 0, 3, 13));
    EXPECT_EQ(ok.Ok.Left, 7);
    EXPECT_EQ(ok.Width, 96 + 16);
    EXPECT_EQ(ok.Memo.Width, 13);

    MKBoxLayout yn = LayoutMKBox(Input(MsgKind::YesNo, false, 6, 10, 13));
    EXPECT_EQ(yn.Yes.Left, 10);
    EXPECT_EQ(yn.No.Left, 109);
    EXPECT_EQ(yn.Width, 198 + 16);
    EXPECT_EQ(yn.Memo.Width, 111);
    EXPECT_FALSE(yn.SelectVisible);  // no countdown, no bar
}

TEST(MKBoxLayout, EveryButtonStaysInsideTheClientWhateverTheFrame) {
    struct Case {
        MsgKind kind;
        bool countdown;
        int def, textW, textH;
    };
    const Case cases[] = {{MsgKind::OK, false, 0, 3, 13},      {MsgKind::OK, false, 0, 100, 13},
                          {MsgKind::OK, false, 0, 600, 65},    {MsgKind::YesNo, false, 6, 10, 13},
                          {MsgKind::YesNo, false, 6, 300, 13}, {MsgKind::OK, true, 1, 3, 13},
                          {MsgKind::OK, true, 2, 100, 13},     {MsgKind::YesNo, true, 6, 3, 13},
                          {MsgKind::YesNo, true, 7, 600, 13}};
    // Frames of classic dialogs, of later themes, and of large scales.
    for (int frame : {6, 16, 20, 40}) {
        for (const Case& c : cases) {
            MKBoxLayoutInput in = Input(c.kind, c.countdown, c.def, c.textW, c.textH);
            in.FrameWidth = frame;
            in.FrameHeight = frame + 19;
            MKBoxLayout l = LayoutMKBox(in);
            std::vector<Rect> shown;
            if (l.OkVisible) shown.push_back(l.Ok);
            if (l.YesNoVisible) shown.insert(shown.end(), {l.Yes, l.No});
            if (l.CountdownVisible) shown.insert(shown.end(), {l.Stop, l.Open, l.Count});
            shown.push_back(l.Memo);
            for (const Rect& r : shown) {
                SCOPED_TRACE("frame " + std::to_string(frame) + ", text " + std::to_string(c.textW));
                EXPECT_GE(r.Left, 0);
                EXPECT_LE(r.Right(), l.ClientWidth());
                EXPECT_LE(r.Bottom(), l.ClientHeight());
            }
        }
    }

    // The narrow OK box: the design's width up to a frame of 16, then the frame's own.
    for (int frame : {6, 16, 20, 40}) {
        MKBoxLayoutInput in = Input(MsgKind::OK, false, 0, 3, 13);
        in.FrameWidth = frame;
        MKBoxLayout l = LayoutMKBox(in);
        EXPECT_EQ(l.Width, l.Ok.Right() + std::max(16, frame)) << frame;
    }
}

TEST(MKBoxLayout, TheBarMarksWhatATimeoutAnswers) {
    EXPECT_FALSE(LayoutMKBox(Input(MsgKind::OK, true, 0, 100, 13)).SelectVisible);
    MKBoxLayout one = LayoutMKBox(Input(MsgKind::OK, true, 1, 100, 13));
    EXPECT_TRUE(one.SelectVisible);
    EXPECT_EQ(one.Select.Left, one.Ok.Left);
    EXPECT_EQ(one.Select.Top, one.Ok.Top - 3);
    MKBoxLayout no = LayoutMKBox(Input(MsgKind::YesNo, true, 7, 100, 13));
    EXPECT_EQ(no.Select.Left, no.No.Left);
    // The close box's answer: the bar goes to the top edge, right of the pause button.
    MKBoxLayout two = LayoutMKBox(Input(MsgKind::OK, true, 2, 100, 13));
    EXPECT_TRUE(two.SelectVisible);
    EXPECT_EQ(two.Select.Left, two.Open.Left + 89);
    EXPECT_EQ(two.Select.Top, 3);
    EXPECT_FALSE(LayoutMKBox(Input(MsgKind::YesNo, true, 1, 100, 13)).SelectVisible);
    EXPECT_FALSE(LayoutMKBox(Input(MsgKind::OK, true, 6, 100, 13)).SelectVisible);
}

TEST(MKBoxLayout, WideTextKeepsTheGapsProportional) {
    MKBoxLayout l = LayoutMKBox(Input(MsgKind::OK, true, 0, 600, 13));
    // Client 700 wide: gaps (700 - 178) / 3 = 174.
    EXPECT_EQ(l.Ok.Left, 174);
    EXPECT_EQ(l.Stop.Left, 174 + 89 + 174);
    EXPECT_EQ(l.Width, 706);  // the seconds fit already
    EXPECT_EQ(l.Memo.Width, 610);
}

TEST(PlaceBox, CentresOnTheAnchorAndClampsIntoTheWorkArea) {
    Rect work{0, 0, 1024, 740};
    EXPECT_EQ(PlaceBox(std::nullopt, work, 206, 152), (Rect{409, 294, 206, 152}));
    EXPECT_EQ(PlaceBox(Rect{900, 700, 400, 300}, work, 206, 152), (Rect{818, 588, 206, 152}));
    EXPECT_EQ(PlaceBox(Rect{-500, -400, 100, 100}, work, 206, 152), (Rect{0, 0, 206, 152}));
    // Larger than the work area: pinned to its top-left corner.
    EXPECT_EQ(PlaceBox(std::nullopt, Rect{60, 28, 964, 740}, 2000, 1000), (Rect{60, 28, 2000, 1000}));
}

TEST(WorkArea, TaskbarCandidatesAndTheAreaTheyLeave) {
    const int w = 1024, h = 768;
    Rect bottom = Rect::FromEdges(-2, 740, 1026, 770);
    EXPECT_TRUE(IsTaskbarCandidate(bottom, w, h));
    EXPECT_EQ(WorkAreaBesideTaskbar(bottom, w, h), (Rect{0, 0, 1024, 740}));

    Rect top = Rect::FromEdges(-2, -2, 1026, 28);
    EXPECT_TRUE(IsTaskbarCandidate(top, w, h));
    EXPECT_EQ(WorkAreaBesideTaskbar(top, w, h), (Rect{0, 28, 1024, 740}));

    Rect left = Rect::FromEdges(-2, -2, 60, 770);
    EXPECT_TRUE(IsTaskbarCandidate(left, w, h));
    EXPECT_EQ(WorkAreaBesideTaskbar(left, w, h), (Rect{60, 0, 964, 768}));

    Rect right = Rect::FromEdges(964, -2, 1026, 770);
    EXPECT_TRUE(IsTaskbarCandidate(right, w, h));
    EXPECT_EQ(WorkAreaBesideTaskbar(right, w, h), (Rect{0, 0, 964, 768}));

    // At the screen's edge, full-screen, or too tall for a bar.
    EXPECT_FALSE(IsTaskbarCandidate(Rect::FromEdges(0, 740, 1024, 768), w, h));
    EXPECT_FALSE(IsTaskbarCandidate(Rect::FromEdges(0, 0, 1024, 768), w, h));
    EXPECT_FALSE(IsTaskbarCandidate(Rect::FromEdges(-2, 300, 1026, 690), w, h));
    EXPECT_FALSE(IsTaskbarCandidate(Rect::FromEdges(100, 100, 300, 200), w, h));
    EXPECT_FALSE(IsTaskbarCandidate(Rect::FromEdges(-2, -2, 600, 770), w, h));

    // A bar leaving nothing leaves no area.
    EXPECT_EQ(WorkAreaBesideTaskbar(Rect::FromEdges(-2, 0, 1026, 30), w, h), std::nullopt);
}
