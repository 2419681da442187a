#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "ui/form.hpp"
#include "ui/image.hpp"
#include "widgets/TColorBtn.hpp"
#include "wine/fixture.hpp"

using obsc32::TColorBtn;
using testing_wine::ScreenPixel;
using testing_wine::ScreenPixels;

namespace {

const COLORREF kGrey = RGB(192, 192, 192);
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

// Pumps as the program's loops do, so Tab, Enter, Esc and accelerators reach the form.
bool Pump(const std::function<bool()>& done, int ms = 2000) {
    DWORD end = GetTickCount() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT || ui::Form::PreTranslateKey(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        if (static_cast<int>(GetTickCount() - end) >= 0) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
void Settle(int ms = 150) {
    Pump([] { return false; }, ms);
}

void Send(std::vector<INPUT> in) {
    ASSERT_EQ(SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)), in.size());
}

INPUT Mouse(DWORD flags) {
    INPUT i{};
    i.type = INPUT_MOUSE;
    i.mi.dwFlags = flags;
    return i;
}

INPUT Key(WORD vk, bool up = false) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return i;
}

std::vector<INPUT> Tap(WORD vk, WORD modifier = 0) {
    if (!modifier) return {Key(vk), Key(vk, true)};
    return {Key(modifier), Key(vk), Key(vk, true), Key(modifier, true)};
}

// Under Wine each warp of the X pointer comes back, a moment later, as a move to where the pointer
// was before it; moving a second time, once that echo is in, leaves the cursor where it was sent.
bool MoveMouse(POINT to) {
    // Absolute units that map back to exactly this pixel.
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    INPUT move = Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    move.mi.dx = (to.x * 65536 + cx - 1) / cx;
    move.mi.dy = (to.y * 65536 + cy - 1) / cy;
    for (int i = 0; i < 2; ++i) {
        if (SendInput(1, &move, sizeof(INPUT)) != 1) return false;
        Settle(100);
    }
    POINT p;
    GetCursorPos(&p);
    return p.x == to.x && p.y == to.y;
}

RECT ScreenRect(const ui::Control& c) {
    RECT r;
    GetWindowRect(c.Handle(), &r);
    return r;
}

POINT Centre(const ui::Control& c) {
    RECT r = ScreenRect(c);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

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

class ColorBtnTest : public ::testing::Test {
protected:
    void Open(COLORREF face, COLORREF font) {
        // The pointer waits away from where the form appears.
        ASSERT_TRUE(MoveMouse({100, 100}));
        form_ = std::make_unique<ButtonForm>(face, font);
        form_->Create();
        SetWindowPos(form_->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(form_->Handle());
        ASSERT_TRUE(Pump([&] { return GetForegroundWindow() == form_->Handle(); }));
        Settle();
    }
    void TearDown() override {
        // A failed case must not leave a button or key held for the next one.
        std::vector<INPUT> ups;
        if (GetAsyncKeyState(VK_LBUTTON) < 0) ups.push_back(Mouse(MOUSEEVENTF_LEFTUP));
        if (GetAsyncKeyState(VK_RBUTTON) < 0) ups.push_back(Mouse(MOUSEEVENTF_RIGHTUP));
        for (WORD vk : {VK_SPACE, VK_SHIFT, VK_CONTROL, VK_MENU})
            if (GetAsyncKeyState(vk) < 0) ups.push_back(Key(vk, true));
        if (!ups.empty()) Send(ups);
        Settle(100);
        form_.reset();
    }
    // Sends the input and waits for the state it should bring.
    bool Input(std::vector<INPUT> in, const std::function<bool()>& until) {
        Send(std::move(in));
        bool reached = Pump(until);
        Settle(60);
        return reached;
    }
    bool Move(POINT to, const std::function<bool()>& until) { return MoveMouse(to) && Pump(until); }
    bool Press(POINT at, const std::function<bool()>& until) {
        return MoveMouse(at) && Input({Mouse(MOUSEEVENTF_LEFTDOWN)}, until);
    }
    std::unique_ptr<ButtonForm> form_;
};

}  // namespace

TEST_F(ColorBtnTest, MousePressSinksDarkensAndShiftsAndReleaseOverItClicksOnce) {
    Open(kGrey, kBlack);
    TColorBtn& a = form_->A;
    RECT start = ScreenRect(a);
    ASSERT_EQ(Face(a), kGrey);
    ASSERT_GT(CountInside(a, kBlack), 5);

    ASSERT_TRUE(Press(Centre(a), [&] { return a.Down(); }));
    ASSERT_TRUE(Pump([&] { return Face(a) == RGB(160, 160, 160); })) << std::hex << Face(a);
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

    ASSERT_TRUE(Input({Mouse(MOUSEEVENTF_LEFTUP)}, [&] { return !a.Down(); }));
    EXPECT_TRUE(Pump([&] { return Face(a) == kGrey; }));
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
    Settle();
    ASSERT_EQ(Face(a), own);

    ASSERT_TRUE(Press(Centre(a), [&] { return a.Down(); }));
    EXPECT_TRUE(Pump([&] { return Face(a) == RGB(0, 68, 0); })) << std::hex << Face(a);
    // A caption that is not black turns light grey.
    EXPECT_GT(CountInside(a, RGB(221, 221, 221)), 5);
    EXPECT_EQ(CountInside(a, kWhite), 0);

    ASSERT_TRUE(Input({Mouse(MOUSEEVENTF_LEFTUP)}, [&] { return !a.Down(); }));
    EXPECT_TRUE(Pump([&] { return Face(a) == own; }));
    EXPECT_FALSE(a.ParentColor());
    EXPECT_EQ(a.Color(), own);
    EXPECT_TRUE(a.ParentFont());
    EXPECT_GT(CountInside(a, kWhite), 5);
    EXPECT_EQ(form_->aClicks, 1);

    // The parent's black face has nothing to lower.
    TColorBtn& b = form_->B;
    ASSERT_TRUE(Press(Centre(b), [&] { return b.Down(); }));
    Settle();
    EXPECT_EQ(Face(b), kBlack);
    EXPECT_GT(CountInside(b, RGB(221, 221, 221)), 5);
    ASSERT_TRUE(Input({Mouse(MOUSEEVENTF_LEFTUP)}, [&] { return !b.Down(); }));
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
    EXPECT_TRUE(Pump([&] { return Face(a) == kGrey; }));

    ASSERT_TRUE(Move(in, [&] { return a.Down(); }));
    EXPECT_EQ(ScreenRect(a).left, start.left + 1);
    EXPECT_TRUE(Pump([&] { return Face(a) == RGB(160, 160, 160); }));

    // Out again and released there: no click, raised at its place.
    ASSERT_TRUE(Move(out, [&] { return !a.Down(); }));
    ASSERT_TRUE(Input({Mouse(MOUSEEVENTF_LEFTUP)}, [] { return GetAsyncKeyState(VK_LBUTTON) >= 0; }));
    Settle();
    EXPECT_FALSE(a.Down());
    EXPECT_EQ(ScreenRect(a).left, start.left);
    EXPECT_EQ(ScreenRect(a).top, start.top);
    EXPECT_EQ(Face(a), kGrey);
    EXPECT_EQ(form_->aClicks, 0);

    // Out and back in, then released over it: one click.
    ASSERT_TRUE(Press(in, [&] { return a.Down(); }));
    ASSERT_TRUE(Move(out, [&] { return !a.Down(); }));
    ASSERT_TRUE(Move(in, [&] { return a.Down(); }));
    ASSERT_TRUE(Input({Mouse(MOUSEEVENTF_LEFTUP)}, [&] { return !a.Down(); }));
    EXPECT_EQ(form_->aClicks, 1);
    EXPECT_EQ(ScreenRect(a).left, start.left);
}

TEST_F(ColorBtnTest, TheRightButtonNeitherSinksNorClicks) {
    Open(kGrey, kBlack);
    TColorBtn& a = form_->A;
    RECT start = ScreenRect(a);
    ASSERT_TRUE(MoveMouse(Centre(a)));
    Send({Mouse(MOUSEEVENTF_RIGHTDOWN)});
    Settle(300);
    EXPECT_FALSE(a.Down());
    EXPECT_EQ(ScreenRect(a).left, start.left);
    EXPECT_EQ(Face(a), kGrey);
    Send({Mouse(MOUSEEVENTF_RIGHTUP)});
    Settle(300);
    EXPECT_FALSE(a.Down());
    EXPECT_EQ(form_->aClicks, 0);
}

TEST_F(ColorBtnTest, SpaceEnterAndEscapeFollowTheDialogKeyRules) {
    Open(kGrey, kBlack);
    TColorBtn &a = form_->A, &b = form_->B;
    a.SetDefault(true);
    b.Cancel = true;
    a.SetFocus();
    ASSERT_TRUE(Pump([&] { return a.Focused(); }));
    Settle();
    RECT start = ScreenRect(a);

    // Space: pressed on the way down, clicked once on the way up.
    ASSERT_TRUE(Input({Key(VK_SPACE)}, [&] { return a.Down(); }));
    EXPECT_EQ(ScreenRect(a).left, start.left + 1);
    EXPECT_TRUE(Pump([&] { return Face(a) == RGB(160, 160, 160); }));
    EXPECT_EQ(form_->aClicks, 0);
    ASSERT_TRUE(Input({Key(VK_SPACE, true)}, [&] { return !a.Down(); }));
    EXPECT_EQ(form_->aClicks, 1);
    EXPECT_EQ(ScreenRect(a).left, start.left);

    // Enter clicks the focused default button, but not with Shift or Ctrl held.
    ASSERT_TRUE(Input(Tap(VK_RETURN), [&] { return form_->aClicks == 2; }));
    ASSERT_TRUE(Input(Tap(VK_RETURN, VK_SHIFT), [] { return GetAsyncKeyState(VK_SHIFT) >= 0; }));
    ASSERT_TRUE(Input(Tap(VK_RETURN, VK_CONTROL), [] { return GetAsyncKeyState(VK_CONTROL) >= 0; }));
    Settle(200);
    EXPECT_EQ(form_->aClicks, 2);

    // Esc clicks the cancel button wherever the focus is; not with Shift held.
    ASSERT_TRUE(Input(Tap(VK_ESCAPE, VK_SHIFT), [] { return GetAsyncKeyState(VK_SHIFT) >= 0; }));
    Settle(200);
    EXPECT_EQ(form_->bClicks, 0);
    ASSERT_TRUE(Input(Tap(VK_ESCAPE), [&] { return form_->bClicks == 1; }));
    EXPECT_EQ(form_->aClicks, 2);
    EXPECT_TRUE(a.Focused());

    // While the mouse holds the button Space neither presses nor clicks; the mouse's release does.
    ASSERT_TRUE(Press(Centre(a), [&] { return a.Down(); }));
    ASSERT_TRUE(Input(Tap(VK_SPACE), [] { return GetAsyncKeyState(VK_SPACE) >= 0; }));
    Settle(200);
    EXPECT_TRUE(a.Down());
    EXPECT_EQ(ScreenRect(a).left, start.left + 1);
    EXPECT_EQ(form_->aClicks, 2);
    ASSERT_TRUE(Input({Mouse(MOUSEEVENTF_LEFTUP)}, [&] { return !a.Down(); }));
    EXPECT_EQ(form_->aClicks, 3);
    EXPECT_EQ(ScreenRect(a).left, start.left);
    EXPECT_TRUE(Pump([&] { return Face(a) == kGrey; }));
    EXPECT_TRUE(a.ParentColor());
}

TEST_F(ColorBtnTest, TheFocusedButtonTakesTheWideBevelAndEnterFromTheDefault) {
    Open(kGrey, kBlack);
    TColorBtn &a = form_->A, &b = form_->B;
    a.SetDefault(true);
    a.SetFocus();
    ASSERT_TRUE(Pump([&] { return a.Focused(); }));
    EXPECT_TRUE(Pump([&] { return WideBevel(a) && !WideBevel(b); }));

    ASSERT_TRUE(Input(Tap(VK_TAB), [&] { return b.Focused(); }));
    EXPECT_TRUE(Pump([&] { return WideBevel(b) && !WideBevel(a); }));
    EXPECT_EQ(b.BevelWidth(), 2);
    EXPECT_EQ(a.BevelWidth(), 1);
    ASSERT_TRUE(Input(Tap(VK_RETURN), [&] { return form_->bClicks == 1; }));
    EXPECT_EQ(form_->aClicks, 0);

    // Focus on a control of another kind: the default button answers Enter again.
    form_->Other.SetFocus();
    EXPECT_TRUE(Pump([&] { return WideBevel(a) && !WideBevel(b); }));
    ASSERT_TRUE(Input(Tap(VK_RETURN), [&] { return form_->aClicks == 1; }));
    EXPECT_EQ(form_->bClicks, 1);

    // Moving Default re-marks at once, without a focus change.
    a.SetDefault(false);
    b.SetDefault(true);
    EXPECT_TRUE(Pump([&] { return WideBevel(b) && !WideBevel(a); }));
    ASSERT_TRUE(Input(Tap(VK_RETURN), [&] { return form_->bClicks == 2; }));
    EXPECT_EQ(form_->aClicks, 1);
}

TEST_F(ColorBtnTest, TheAcceleratorLetterClicksFromAnotherButton) {
    Open(kGrey, kBlack);
    TColorBtn &a = form_->A, &b = form_->B;
    a.SetFocus();
    ASSERT_TRUE(Pump([&] { return a.Focused(); }));

    ASSERT_TRUE(Input(Tap('Y'), [&] { return form_->bClicks == 1; }));
    ASSERT_TRUE(Input(Tap('Y', VK_MENU), [&] { return form_->bClicks == 2; }));
    ASSERT_TRUE(Input(Tap('Y', VK_SHIFT), [&] { return form_->bClicks == 3; }));
    // "OK" has no accelerator; a disabled button ignores its own.
    Send(Tap('O'));
    b.SetEnabled(false);
    Send(Tap('Y'));
    Settle(300);
    EXPECT_EQ(form_->aClicks, 0);
    EXPECT_EQ(form_->bClicks, 3);
    EXPECT_TRUE(a.Focused());
}
