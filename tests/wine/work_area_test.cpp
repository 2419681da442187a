#include "widgets/work_area.hpp"

#include <gtest/gtest.h>

#include "wine/fixture.hpp"

using namespace testing_wine;

namespace {

// A window shaped like a taskbar: no title, topmost, reaching past the screen's edges as a shell's does.
class Bar {
public:
    Bar(int x, int y, int w, int h, const char* title = "") {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "TestBar";
        RegisterClassA(&wc);
        wnd_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "TestBar", title, WS_POPUP | WS_VISIBLE, x,
                               y, w, h, nullptr, nullptr, nullptr, nullptr);
    }
    ~Bar() { DestroyWindow(wnd_); }
    HWND Handle() const { return wnd_; }
    // The screen reports the bar where it was put.
    bool At(POINT p) const {
        return WaitUntil([&] { return WindowFromPoint(p) == wnd_; });
    }
    void Move(int x, int y, int w, int h) { MoveWindow(wnd_, x, y, w, h, TRUE); }

private:
    HWND wnd_;
};

const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);

}  // namespace

TEST(GetWorkArea, FindsABarAtTheScreenEdgeRemembersItAndForgetsItWhenItGoes) {
    // Wine's own taskbar starts at the screen's left edge, which the rules do not take for a taskbar.
    obsc32::WorkArea none = obsc32::GetWorkArea();
    EXPECT_FALSE(none.TaskbarFound);
    EXPECT_EQ(none.Area, (ui::Rect{0, 0, w, h}));

    {
        Bar bottom(-2, h - 30, w + 4, 32);
        ASSERT_TRUE(bottom.At({1, h - 1}));
        obsc32::WorkArea found = obsc32::GetWorkArea();
        EXPECT_TRUE(found.TaskbarFound);
        EXPECT_EQ(found.Area, (ui::Rect{0, 0, w, h - 30}));
        // Remembered: found again where no probe point reaches it any more.
        bottom.Move(10, h - 40, w - 20, 30);
        ASSERT_TRUE(WaitUntil([&] { return WindowFromPoint({1, h - 1}) != bottom.Handle(); }));
        found = obsc32::GetWorkArea();
        EXPECT_TRUE(found.TaskbarFound);
        EXPECT_EQ(found.Area, (ui::Rect{0, 0, w, h - 40}));
        // A bar that leaves nothing is forgotten.
        bottom.Move(-2, 0, w + 4, 30);
        EXPECT_FALSE(obsc32::GetWorkArea().TaskbarFound);
    }

    {
        // The remembered bar's window goes: the next one found is remembered in its place.
        Bar left(-2, -2, 60, h + 4);
        ASSERT_TRUE(left.At({1, 1}));
        EXPECT_EQ(obsc32::GetWorkArea().Area, (ui::Rect{58, 0, w - 58, h}));
    }
    {
        Bar top(-2, -2, w + 4, 30);
        ASSERT_TRUE(top.At({1, 1}));
        EXPECT_EQ(obsc32::GetWorkArea().Area, (ui::Rect{0, 28, w, h - 28}));
        top.Move(10, 2, w - 20, 30);
        ASSERT_TRUE(WaitUntil([&] { return WindowFromPoint({1, 1}) != top.Handle(); }));
        obsc32::WorkArea found = obsc32::GetWorkArea();
        EXPECT_TRUE(found.TaskbarFound);
        EXPECT_EQ(found.Area, (ui::Rect{0, 0, w, 2}));
    }

    // A titled window is no taskbar.
    Bar titled(-2, h - 30, w + 4, 32, "bar");
    ASSERT_TRUE(titled.At({1, h - 1}));
    EXPECT_FALSE(obsc32::GetWorkArea().TaskbarFound);
}
