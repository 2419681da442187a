#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/form.hpp"
#include "ui/image.hpp"
#include "widgets/TColorBtn.hpp"
#include "wine/fixture.hpp"

using obsc32::TColorBtn;
using namespace testing_wine;

namespace {

const COLORREF kGrey = RGB(192, 192, 192);
const COLORREF kPressedGrey = RGB(160, 160, 160);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

class ButtonForm : public ui::Form {
public:
    ButtonForm(COLORREF face, COLORREF font) : ui::Form(nullptr, "ButtonForm", "TColorBtnTestForm") {
        Border = ui::BorderStyle::None;
        SetBounds(200, 200, 320, 100);
        SetColor(face);
        SetFontColor(font);
        A.SetBounds(20, 40, 75, 25);
        B.SetBounds(120, 40, 75, 25);
        Other.SetBounds(240, 40, 40, 25);
        A.TabOrder = 0;
        B.TabOrder = 1;
        A.OnClick = [this](ui::Component*) { ++aClicks; };
        B.OnClick = [this](ui::Component*) { ++bClicks; };
    }
    TColorBtn A{this, "A", "OK"};
    TColorBtn B{this, "B", "&Yes"};
    // A control of another kind, to take the focus away from the buttons.
    ui::Image Other{this, "Other"};
    int aClicks = 0, bClicks = 0;
};

RECT ScreenRect(const ui::Control& c) { return testing_common::RectOf(c.Handle()); }
POINT Centre(const ui::Control& c) { return testing_common::CenterOf(c.Handle()); }

// The face: 4 pixels inside the widest bevel, clear of the centred caption.
COLORREF Face(const ui::Control& c) {
    RECT r = ScreenRect(c);
    return ScreenPixel(r.left + 6, r.top + 6);
}

// How many pixels of the button's inside have exactly this colour.
int CountInside(const ui::Control& c, COLORREF color) {
    RECT r = ScreenRect(c);
    std::vector<COLORREF> px = ScreenPixels(RECT{r.left + 4, r.top + 4, r.right - 4, r.bottom - 4});
    return static_cast<int>(std::count(px.begin(), px.end(), color));
}

// Whether the bevel's second line (left column, one pixel in) is drawn: only a width-2 bevel has it.
bool WideBevel(const ui::Control& c) {
    RECT r = ScreenRect(c);
    return ScreenPixel(r.left + 1, r.top + 8) == GetSysColor(COLOR_BTNHIGHLIGHT);
}

bool NothingHeld() {
    for (int vk : {VK_LBUTTON, VK_RBUTTON, VK_SPACE, VK_SHIFT, VK_CONTROL, VK_MENU})
        if (GetAsyncKeyState(vk) < 0) return false;
    return true;
}

// A key pressed with a modifier held.
void KeyWith(WORD modifier, WORD vk) {
    input::KeyDown(modifier);
    input::Key(vk);
    input::KeyUp(modifier);
}

class ColorBtnTest : public ::testing::Test {
protected:
    void Open(COLORREF face, COLORREF font) {
        // The pointer waits away from where the form appears.
        ASSERT_TRUE(input::MoveTo({100, 100}));
        form_ = std::make_unique<ButtonForm>(face, font);
        ASSERT_TRUE(form_->Create());
        SetWindowPos(form_->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(form_->Handle());
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == form_->Handle(); }));
        ASSERT_TRUE(WaitUntil([&] { return Face(form_->A) == face && Face(form_->B) == face; }));
    }
    void TearDown() override {
        // A failed case must not leave a button or key held for the next one.
        if (GetAsyncKeyState(VK_LBUTTON) < 0) input::Release();
        if (GetAsyncKeyState(VK_RBUTTON) < 0) input::Release(true);
        for (WORD vk : {VK_SPACE, VK_SHIFT, VK_CONTROL, VK_MENU})
            if (GetAsyncKeyState(vk) < 0) input::KeyUp(vk);
        EXPECT_TRUE(WaitUntil(NothingHeld));
        form_.reset();
    }
    bool Press(POINT at, const std::function<bool()>& until) {
        if (!input::MoveTo(at)) return false;
        input::PressAt(at);
        return WaitUntil(until);
    }
    bool Move(POINT to, const std::function<bool()>& until) { return input::MoveTo(to) && WaitUntil(until); }
    bool ReleaseLeft(const std::function<bool()>& until) {
        input::Release();
        return WaitUntil(until);
    }
    std::unique_ptr<ButtonForm> form_;
};

}  // namespace

TEST_F(ColorBtnTest, MousePressSinksDarkensAndShiftsAndReleaseOverItClicksOnce) {
    Open(kGrey, kBlack);
    TColorBtn& a = form_->A;
    RECT start = ScreenRect(a);
    ASSERT_GT(CountInside(a, kBlack), 5);

    ASSERT_TRUE(Press(Centre(a), [&] { return a.Down(); }));
    ASSERT_TRUE(WaitUntil([&] { return Face(a) == kPressedGrey; })) << std::hex << Face(a);
    RECT pressed = ScreenRect(a);
    EXPECT_EQ(pressed.left, start.left + 1);
    EXPECT_EQ(pressed.top, start.top + 1);
    EXPECT_EQ(pressed.right - pressed.left, 75);
    // A black caption turns dark grey; the bevel is lowered (shadow at the top-left).
    EXPECT_GT(CountInside(a, RGB(51, 51, 51)), 5);
    EXPECT_EQ(CountInside(a, kBlack), 0);
    EXPECT_EQ(ScreenPixel(pressed.left, pressed.top + 8), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_TRUE(a.Focused());
    EXPECT_EQ(form_->aClicks, 0);

    ASSERT_TRUE(ReleaseLeft([&] { return !a.Down(); }));
    EXPECT_TRUE(WaitUntil([&] { return Face(a) == kGrey; }));
    RECT after = ScreenRect(a);
    EXPECT_EQ(after.left, start.left);
    EXPECT_EQ(after.top, start.top);
    EXPECT_GT(CountInside(a, kBlack), 5);
    EXPECT_EQ(ScreenPixel(after.left, after.top + 8), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_TRUE(a.ParentColor());
    EXPECT_TRUE(a.ParentFont());
    EXPECT_EQ(form_->aClicks, 1);
    EXPECT_EQ(form_->bClicks, 0);
}

TEST_F(ColorBtnTest, OwnColoursDarkenNoLowerThanZeroAndComeBackOnRelease) {
    Open(kBlack, kWhite);
    TColorBtn& a = form_->A;
    const COLORREF own = RGB(20, 100, 31);
    a.SetColor(own);
    ASSERT_TRUE(WaitUntil([&] { return Face(a) == own; }));

    ASSERT_TRUE(Press(Centre(a), [&] { return a.Down(); }));
    EXPECT_TRUE(WaitUntil([&] { return Face(a) == RGB(0, 68, 0); })) << std::hex << Face(a);
    // A caption that is not black turns light grey.
    EXPECT_GT(CountInside(a, RGB(221, 221, 221)), 5);
    EXPECT_EQ(CountInside(a, kWhite), 0);

    ASSERT_TRUE(ReleaseLeft([&] { return !a.Down(); }));
    EXPECT_TRUE(WaitUntil([&] { return Face(a) == own; }));
    EXPECT_FALSE(a.ParentColor());
    EXPECT_EQ(a.Color(), own);
    EXPECT_TRUE(a.ParentFont());
    EXPECT_GT(CountInside(a, kWhite), 5);
    EXPECT_EQ(form_->aClicks, 1);

    // The parent's black face has nothing to lower.
    TColorBtn& b = form_->B;
    ASSERT_TRUE(Press(Centre(b), [&] { return b.Down(); }));
    EXPECT_TRUE(WaitUntil([&] { return CountInside(b, RGB(221, 221, 221)) > 5; }));
    EXPECT_EQ(Face(b), kBlack);
    ASSERT_TRUE(ReleaseLeft([&] { return !b.Down(); }));
    EXPECT_EQ(form_->bClicks, 1);
}

TEST_F(ColorBtnTest, DraggingOutRaisesItWithoutClickAndBackInSinksItAgain) {
    Open(kGrey, kBlack);
    TColorBtn& a = form_->A;
    RECT start = ScreenRect(a);
    POINT in = Centre(a), out{start.right + 15, in.y};

    ASSERT_TRUE(Press(in, [&] { return a.Down(); }));
    ASSERT_TRUE(Move(out, [&] { return !a.Down(); }));
    EXPECT_EQ(ScreenRect(a).left, start.left);
    EXPECT_EQ(ScreenRect(a).top, start.top);
    EXPECT_TRUE(WaitUntil([&] { return Face(a) == kGrey; }));

    ASSERT_TRUE(Move(in, [&] { return a.Down(); }));
    EXPECT_EQ(ScreenRect(a).left, start.left + 1);
    EXPECT_TRUE(WaitUntil([&] { return Face(a) == kPressedGrey; }));

    // Out again and released there: no click, raised at its place.
    ASSERT_TRUE(Move(out, [&] { return !a.Down(); }));
    ASSERT_TRUE(ReleaseLeft([] { return GetAsyncKeyState(VK_LBUTTON) >= 0; }));
    EXPECT_TRUE(HoldsFor([&] { return !a.Down() && form_->aClicks == 0; }, 200));
    EXPECT_EQ(ScreenRect(a).left, start.left);
    EXPECT_EQ(ScreenRect(a).top, start.top);
    EXPECT_TRUE(WaitUntil([&] { return Face(a) == kGrey; }));

    // Out and back in, then released over it: one click.
    ASSERT_TRUE(Press(in, [&] { return a.Down(); }));
    ASSERT_TRUE(Move(out, [&] { return !a.Down(); }));
    ASSERT_TRUE(Move(in, [&] { return a.Down(); }));
    ASSERT_TRUE(ReleaseLeft([&] { return !a.Down(); }));
    EXPECT_EQ(form_->aClicks, 1);
    EXPECT_EQ(ScreenRect(a).left, start.left);
}

TEST_F(ColorBtnTest, TheRightButtonNeitherSinksNorClicksAndItsReleaseEndsTheTracking) {
    Open(kGrey, kBlack);
    TColorBtn& a = form_->A;
    RECT start = ScreenRect(a);
    ASSERT_TRUE(input::MoveTo(Centre(a)));
    input::PressAt(Centre(a), true);
    EXPECT_TRUE(HoldsFor([&] { return !a.Down() && ScreenRect(a).left == start.left; }, 300));
    EXPECT_EQ(Face(a), kGrey);
    input::ReleaseAt(Centre(a), true);
    EXPECT_TRUE(HoldsFor([&] { return !a.Down() && form_->aClicks == 0; }, 300));

    // Held with the left button, the right one's release ends the tracking: moving out no longer raises
    // it, and the left one's release still clicks it.
    POINT out{start.right + 15, Centre(a).y};
    ASSERT_TRUE(Press(Centre(a), [&] { return a.Down(); }));
    input::PressAt(Centre(a), true);
    input::ReleaseAt(Centre(a), true);
    ASSERT_TRUE(WaitUntil([] { return GetAsyncKeyState(VK_RBUTTON) >= 0; }));
    ASSERT_TRUE(input::MoveTo(out));
    EXPECT_TRUE(HoldsFor([&] { return a.Down() && ScreenRect(a).left == start.left + 1; }, 300));
    ASSERT_TRUE(ReleaseLeft([&] { return !a.Down(); }));
    EXPECT_EQ(form_->aClicks, 1);
    EXPECT_EQ(ScreenRect(a).left, start.left);
}

TEST_F(ColorBtnTest, EveryInputRaisesItsEventAroundTheButtonsOwnHandling) {
    Open(kGrey, kBlack);
    TColorBtn& a = form_->A;
    std::vector<std::string> log;
    auto name = [](ui::MouseButton b) { return b == ui::MouseButton::Left ? "L" : "R"; };
    bool insideMoves = true;
    a.OnClick = [&](ui::Component*) { log.push_back("click"); };
    a.OnMouseDown = [&](ui::Component* s, ui::MouseButton b, int x, int y) {
        log.push_back(std::string("down ") + name(b) + (a.Down() ? " sunk" : " raised"));
        insideMoves = insideMoves && s == &a && x > 1 && y > 1 && x < 75 && y < 25;
    };
    a.OnMouseUp = [&](ui::Component* s, ui::MouseButton b, int, int) {
        log.push_back(std::string("up ") + name(b) + (s == &a ? "" : " from elsewhere"));
    };
    int moves = 0;
    a.OnMouseMove = [&](ui::Component*, int, int) { ++moves; };
    a.OnKeyDown = [&](ui::Component*, WORD key) {
        log.push_back("keydown " + std::to_string(key) + (a.Down() ? " sunk" : " raised"));
    };
    a.OnKeyUp = [&](ui::Component*, WORD key) { log.push_back("keyup " + std::to_string(key)); };

    ASSERT_TRUE(Press(Centre(a), [&] { return a.Down(); }));
    ASSERT_TRUE(ReleaseLeft([&] { return !a.Down() && log.size() == 3; }));
    ASSERT_TRUE(input::MoveTo(Centre(a)));
    input::PressAt(Centre(a), true);
    input::ReleaseAt(Centre(a), true);
    ASSERT_TRUE(WaitUntil([&] { return log.size() == 5; }));
    ASSERT_TRUE(input::MoveTo({Centre(a).x + 5, Centre(a).y}));
    EXPECT_TRUE(WaitUntil([&] { return moves > 0; }));
    input::Key(VK_SPACE);
    ASSERT_TRUE(WaitUntil([&] { return log.size() == 8; }));

    // The event comes first on the way down and after the click on the way up, as the press look and the
    // click are the button's own part of each handler.
    const std::vector<std::string> expected = {
        "down L raised", "click", "up L", "down R raised", "up R", "keydown 32 raised", "click", "keyup 32"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(insideMoves);
}

TEST_F(ColorBtnTest, SpaceEnterAndEscapeFollowTheDialogKeyRules) {
    Open(kGrey, kBlack);
    TColorBtn &a = form_->A, &b = form_->B;
    a.SetDefault(true);
    b.Cancel = true;
    a.SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return a.Focused() && WideBevel(a); }));
    RECT start = ScreenRect(a);

    // Space: pressed on the way down, clicked once on the way up.
    input::KeyDown(VK_SPACE);
    ASSERT_TRUE(WaitUntil([&] { return a.Down(); }));
    EXPECT_EQ(ScreenRect(a).left, start.left + 1);
    EXPECT_TRUE(WaitUntil([&] { return Face(a) == kPressedGrey; }));
    EXPECT_EQ(form_->aClicks, 0);
    input::KeyUp(VK_SPACE);
    ASSERT_TRUE(WaitUntil([&] { return !a.Down(); }));
    EXPECT_EQ(form_->aClicks, 1);
    EXPECT_EQ(ScreenRect(a).left, start.left);

    // Enter clicks the focused default button, but not with Shift or Ctrl held.
    input::Key(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return form_->aClicks == 2; }));
    KeyWith(VK_SHIFT, VK_RETURN);
    KeyWith(VK_CONTROL, VK_RETURN);
    ASSERT_TRUE(WaitUntil(NothingHeld));
    EXPECT_TRUE(HoldsFor([&] { return form_->aClicks == 2; }, 200));

    // Esc clicks the cancel button wherever the focus is; not with Shift held.
    KeyWith(VK_SHIFT, VK_ESCAPE);
    ASSERT_TRUE(WaitUntil(NothingHeld));
    EXPECT_TRUE(HoldsFor([&] { return form_->bClicks == 0; }, 200));
    input::Key(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return form_->bClicks == 1; }));
    EXPECT_EQ(form_->aClicks, 2);
    EXPECT_TRUE(a.Focused());

    // While the mouse holds the button Space neither presses nor clicks; the mouse's release does.
    ASSERT_TRUE(Press(Centre(a), [&] { return a.Down(); }));
    input::Key(VK_SPACE);
    ASSERT_TRUE(WaitUntil([] { return GetAsyncKeyState(VK_SPACE) >= 0; }));
    EXPECT_TRUE(HoldsFor([&] { return a.Down() && form_->aClicks == 2; }, 200));
    EXPECT_EQ(ScreenRect(a).left, start.left + 1);
    ASSERT_TRUE(ReleaseLeft([&] { return !a.Down(); }));
    EXPECT_EQ(form_->aClicks, 3);
    EXPECT_EQ(ScreenRect(a).left, start.left);
    EXPECT_TRUE(WaitUntil([&] { return Face(a) == kGrey; }));
    EXPECT_TRUE(a.ParentColor());
}

TEST_F(ColorBtnTest, TheFocusedButtonTakesTheWideBevelAndEnterFromTheDefault) {
    Open(kGrey, kBlack);
    TColorBtn &a = form_->A, &b = form_->B;
    a.SetDefault(true);
    a.SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return a.Focused(); }));
    EXPECT_TRUE(WaitUntil([&] { return WideBevel(a) && !WideBevel(b); }));

    input::Key(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return b.Focused(); }));
    EXPECT_TRUE(WaitUntil([&] { return WideBevel(b) && !WideBevel(a); }));
    EXPECT_EQ(b.BevelWidth(), 2);
    EXPECT_EQ(a.BevelWidth(), 1);
    input::Key(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return form_->bClicks == 1; }));
    EXPECT_EQ(form_->aClicks, 0);

    // Focus on a control of another kind: the default button answers Enter again.
    form_->Other.SetFocus();
    EXPECT_TRUE(WaitUntil([&] { return WideBevel(a) && !WideBevel(b); }));
    input::Key(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return form_->aClicks == 1; }));
    EXPECT_EQ(form_->bClicks, 1);

    // Moving Default re-marks at once, without a focus change.
    a.SetDefault(false);
    b.SetDefault(true);
    EXPECT_TRUE(WaitUntil([&] { return WideBevel(b) && !WideBevel(a); }));
    input::Key(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return form_->bClicks == 2; }));
    EXPECT_EQ(form_->aClicks, 1);
}

TEST_F(ColorBtnTest, TheAcceleratorLetterClicksFromAnotherButtonInEitherCase) {
    Open(kGrey, kBlack);
    TColorBtn &a = form_->A, &b = form_->B;
    a.SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return a.Focused(); }));

    input::Key('Y');
    ASSERT_TRUE(WaitUntil([&] { return form_->bClicks == 1; }));
    KeyWith(VK_MENU, 'Y');
    ASSERT_TRUE(WaitUntil([&] { return form_->bClicks == 2; }));
    KeyWith(VK_SHIFT, 'Y');
    ASSERT_TRUE(WaitUntil([&] { return form_->bClicks == 3; }));
    // "OK" has no accelerator; a disabled button ignores its own.
    input::Key('O');
    b.SetEnabled(false);
    input::Key('Y');
    ASSERT_TRUE(WaitUntil(NothingHeld));
    EXPECT_TRUE(HoldsFor([&] { return form_->aClicks == 0 && form_->bClicks == 3; }, 300));
    EXPECT_TRUE(a.Focused());
}
