#include <functional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "ui/application.hpp"
#include "ui/form.hpp"
#include "widgets/TMKBox.hpp"
#include "widgets/TMKBoxDlg.hpp"
#include "widgets/mkbox_layout.hpp"
#include "widgets/work_area.hpp"
#include "wine/fixture.hpp"

using namespace testing_wine;
using obsc32::TMKBoxDlg;

namespace {

// The test's main window: the box takes its colours and centres on it.
class MainForm : public ui::Form {
public:
    MainForm() : ui::Form(nullptr, "Main", "TTestMain") {
        Border = ui::BorderStyle::None;
        SetBounds(0, 0, 1024, 768);
    }
};

HWND FindBox(int ms = 5000) {
    DWORD end = GetTickCount() + ms;
    for (;;) {
        HWND box = FindWindowA("TMKBox", nullptr);
        if (box && IsWindowVisible(box)) return box;
        if (static_cast<int>(GetTickCount() - end) >= 0) return nullptr;
        Sleep(10);
    }
}

HWND Child(HWND box, const char* cls, const char* text) { return FindWindowExA(box, nullptr, cls, text); }

std::string Text(HWND wnd) {
    char buf[4096] = {};
    SendMessageA(wnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}

RECT ClientRectOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The seconds label: the label whose text ends in "秒".
HWND CountLabel(HWND box) {
    const std::string unit = "秒";
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(c, cls, sizeof cls);
        std::string t = Text(c);
        if (std::string(cls) == "TLabel" && t.size() >= unit.size() &&
            t.compare(t.size() - unit.size(), unit.size(), unit) == 0)
            return c;
    }
    return nullptr;
}

bool WaitFor(const std::function<bool()>& cond, int ms) {
    DWORD end = GetTickCount() + ms;
    while (!cond()) {
        if (static_cast<int>(GetTickCount() - end) >= 0) return false;
        Sleep(10);
    }
    return true;
}

void Key(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

class MKBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        main_ = &ui::Application::Instance().CreateForm<MainForm>();
        main_->SetColor(RGB(0, 0, 0));
        main_->SetFontColor(RGB(255, 255, 255));
        dlg.TimerCount = 2;
    }
    void TearDown() override {
        if (driver_.joinable()) driver_.join();
        if (main_->HandleAllocated()) DestroyWindow(main_->Handle());
        ui::Application::Instance().Reset();
    }
    // Runs `drive` on another thread against the box the test thread is about to show.
    void Drive(std::function<void(HWND box)> drive) {
        driver_ = std::thread([drive] {
            HWND box = FindBox();
            if (box) drive(box);
        });
    }
    MainForm* main_ = nullptr;
    TMKBoxDlg dlg{nullptr, "MKBoxDlg1"};
    std::thread driver_;
};

}  // namespace

TEST_F(MKBoxTest, OkBoxLayoutReadBackFromTheWindow) {
    RECT outer{}, client{}, memo{}, ok{}, icon{};
    std::string title, memoText;
    bool countdownShown = true;
    Drive([&](HWND box) {
        GetWindowRect(box, &outer);
        GetClientRect(box, &client);
        title = Text(box);
        HWND memoWnd = Child(box, "EDIT", nullptr);
        memo = ClientRectOf(memoWnd);
        memoText = Text(memoWnd);
        ok = ClientRectOf(Child(box, "TColorBtn", "ＯＫ"));
        icon = ClientRectOf(Child(box, "TImage", nullptr));
        countdownShown = IsWindowVisible(Child(box, "TColorBtn", "一時停止"));
        Key(VK_RETURN);
    });
    ui::Application::Instance().SetTitle("題名");
    EXPECT_EQ(dlg.MsgOK("一行目\n二行目"), 1);
    driver_.join();
    EXPECT_EQ(title, "題名");
    EXPECT_EQ(memoText, "一行目\r\n二行目");
    EXPECT_FALSE(countdownShown);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    const int mw = memo.right - memo.left, mh = memo.bottom - memo.top;
    EXPECT_EQ(memo.left, 64);
    EXPECT_EQ(memo.top, 16);
    EXPECT_EQ(w, 3 * 32 + mw);
    EXPECT_EQ(h, mh + 33 + 64 + 16);
    // Two lines in a 13-pixel font, 26 pixels taller than the text.
    EXPECT_GE(mh, 2 * 13 + 26);
    EXPECT_EQ(ok.right - ok.left, 89);
    EXPECT_EQ(ok.left, (client.right - 89) / 2);
    EXPECT_EQ(ok.top, memo.bottom + (client.bottom - memo.bottom - 33) / 2);
    EXPECT_EQ(icon.left, 16);
    EXPECT_EQ(icon.top, std::max<LONG>(16, memo.top + (mh - 32) / 2 - 4));
    // Centred on the main window (the whole screen here), inside the work area.
    obsc32::GetWorkArea();
    EXPECT_EQ(outer.left, (1024 - w) / 2);
    EXPECT_EQ(outer.top, std::min((768 - h) / 2, obsc32::WorkTop + obsc32::WorkHeight - h));
    EXPECT_EQ(FindWindowA("TMKBox", nullptr), nullptr);
}

TEST_F(MKBoxTest, YesNoCountdownTimesOutWithDefaultAndMarksIt) {
    RECT yes{}, no{}, bar{}, stop{}, count{}, client{};
    bool barShown = false;
    COLORREF barPixel = 0;
    std::string firstCount;
    Drive([&](HWND box) {
        HWND barWnd = nullptr;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r = ClientRectOf(c);
            char cls[32];
            GetClassNameA(c, cls, sizeof cls);
            if (std::string(cls) == "TLabel" && r.bottom - r.top == 3) barWnd = c;
        }
        GetClientRect(box, &client);
        yes = ClientRectOf(Child(box, "TColorBtn", "はい"));
        no = ClientRectOf(Child(box, "TColorBtn", "いいえ"));
        stop = ClientRectOf(Child(box, "TColorBtn", "一時停止"));
        HWND countWnd = CountLabel(box);
        firstCount = countWnd ? Text(countWnd) : "";
        if (countWnd) count = ClientRectOf(countWnd);
        barShown = barWnd && IsWindowVisible(barWnd);
        if (barWnd) {
            bar = ClientRectOf(barWnd);
            RECT s;
            GetWindowRect(barWnd, &s);
            WaitFor([&] { return (barPixel = ScreenPixel(s.left + 40, s.top + 1)) == RGB(255, 0, 0); }, 1500);
        }
    });
    DWORD start = GetTickCount();
    EXPECT_EQ(dlg.MsgYesNoTimer("消しますか？", 6), 6);
    DWORD took = GetTickCount() - start;
    driver_.join();
    EXPECT_GE(took, 1800u);
    EXPECT_LT(took, 4000u);
    EXPECT_EQ(firstCount, "2秒");
    EXPECT_TRUE(barShown);
    EXPECT_EQ(bar.left, yes.left);
    EXPECT_EQ(bar.bottom, yes.top);
    EXPECT_EQ(bar.right - bar.left, 89);
    EXPECT_EQ(barPixel, RGB(255, 0, 0));
    EXPECT_EQ(yes.top, no.top);
    EXPECT_EQ(no.left - yes.right, stop.left - no.right);  // equal gaps
    // The seconds sit in the bottom-right corner.
    EXPECT_EQ(count.right, client.right);
    EXPECT_EQ(count.bottom, client.bottom);
}

TEST_F(MKBoxTest, PlainDefaultZeroShowsNoBarAndAnswersZero) {
    bool anyBar = true;
    Drive([&](HWND box) {
        anyBar = false;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r = ClientRectOf(c);
            if (r.bottom - r.top == 3 && IsWindowVisible(c)) anyBar = true;
        }
    });
    EXPECT_EQ(dlg.MsgOKTimer("お知らせ", 0), 0);
    driver_.join();
    EXPECT_FALSE(anyBar);
}

TEST_F(MKBoxTest, WithoutTimerNoCountdownIsShownAndNothingTimesOut) {
    dlg.Timer = false;
    dlg.TimerCount = 1;
    bool stillOpen = false, countdownShown = true;
    Drive([&](HWND box) {
        countdownShown =
            IsWindowVisible(Child(box, "TColorBtn", "一時停止")) || IsWindowVisible(CountLabel(box));
        Sleep(2200);
        stillOpen = IsWindow(box) && IsWindowVisible(box);
        Key(VK_ESCAPE);  // an OK box has no cancel button
        Sleep(300);
        Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.MsgOKTimer("止まらない", 0), 1);
    driver_.join();
    EXPECT_FALSE(countdownShown);
    EXPECT_TRUE(stillOpen);
}

TEST_F(MKBoxTest, PauseHoldsTheCountAndResumeGoesOn) {
    dlg.TimerCount = 6;
    std::string pausedAt, laterWhilePaused, afterResume;
    bool openShownWhilePaused = false;
    Drive([&](HWND box) {
        HWND count = CountLabel(box);
        HWND stop = Child(box, "TColorBtn", "一時停止");
        HWND open = Child(box, "TColorBtn", "ｶｳﾝﾄ再開");
        WaitFor([&] { return Text(count) == "5秒"; }, 3000);
        ClickAt(stop);
        WaitFor([&] { return !IsWindowVisible(stop); }, 3000);
        pausedAt = Text(count);
        openShownWhilePaused = IsWindowVisible(open) && !IsWindowVisible(stop);
        Sleep(2500);
        laterWhilePaused = Text(count);
        ClickAt(open);
        WaitFor([&] { return Text(count) != pausedAt; }, 3000);
        afterResume = Text(count);
        Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.MsgOKTimer("待って", 1), 1);
    driver_.join();
    ASSERT_GE(pausedAt.size(), 3u);
    // The count the pause caught stays while paused and goes on by one after resuming.
    EXPECT_TRUE(pausedAt == "5秒" || pausedAt == "4秒") << pausedAt;
    EXPECT_EQ(laterWhilePaused, pausedAt);
    EXPECT_TRUE(openShownWhilePaused);
    EXPECT_EQ(afterResume, std::to_string(std::stoi(pausedAt) - 1) + "秒");
}

TEST_F(MKBoxTest, KeysAndTheCloseBoxGiveTheirAnswers) {
    Drive([](HWND) { Key(VK_ESCAPE); });
    EXPECT_EQ(dlg.MsgBox(1, "はい？"), 7);
    driver_.join();
    Drive([](HWND) { Key(VK_RETURN); });
    EXPECT_EQ(dlg.MsgBox(1, "はい？"), 6);
    driver_.join();
    Drive([](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(dlg.MsgYesNoTimer("閉じる", 6), 2);
    driver_.join();
    // Tabbing to "いいえ" makes it the button Enter presses.
    Drive([](HWND) {
        Key(VK_TAB);
        Sleep(100);
        Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.MsgBox(1, "はい？"), 7);
}

TEST_F(MKBoxTest, BoxesNestAndAFullSlotTableShowsNothing) {
    int inner = -1;
    ui::Timer t(nullptr, "T", 200, true);
    t.OnTimer = [&](ui::Component*) {
        t.SetEnabled(false);
        EXPECT_TRUE(dlg.B[0]);
        inner = dlg.MsgOK("内側");
    };
    driver_ = std::thread([] {
        // Answer the inner box first, then the outer one.
        WaitFor(
            [] {
                int n = 0;
                for (HWND w = FindWindowA("TMKBox", nullptr); w;
                     w = FindWindowExA(nullptr, w, "TMKBox", nullptr))
                    n += IsWindowVisible(w) ? 1 : 0;
                return n == 2;
            },
            5000);
        Key(VK_RETURN);
        Sleep(300);
        Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.MsgOK("外側"), 1);
    driver_.join();
    EXPECT_EQ(inner, 1);
    EXPECT_FALSE(dlg.B[0]);
    EXPECT_FALSE(dlg.B[1]);

    dlg.B.fill(true);
    DWORD start = GetTickCount();
    EXPECT_EQ(dlg.MsgOK("x"), 0);
    EXPECT_EQ(dlg.MsgYesNoTimer("x", 6), 0);
    EXPECT_LT(GetTickCount() - start, 500u);
    EXPECT_EQ(FindWindowA("TMKBox", nullptr), nullptr);
}

TEST_F(MKBoxTest, CountdownOfZeroClosesAtTheFirstTick) {
    dlg.TimerCount = 0;
    std::string first;
    Drive([&](HWND box) { first = Text(CountLabel(box)); });
    DWORD start = GetTickCount();
    EXPECT_EQ(dlg.MsgOKTimer("すぐ", 1), 1);
    EXPECT_GE(GetTickCount() - start, 800u);
    EXPECT_LT(GetTickCount() - start, 2500u);
    driver_.join();
    EXPECT_EQ(first, "0秒");
}

TEST(MKBoxTick, CountsDownFromTheStartValueAndEndsBelowOne) {
    obsc32::TMKBox box;
    box.Create();
    box.TMCountS.SetCaption("2");
    box.Timer1Timer(&box.Timer1);
    EXPECT_EQ(box.Label_TM.Caption(), "1秒");
    EXPECT_EQ(box.ModalResult, 0);
    // The start value is read once: a later change of the text does not restart the count.
    box.TMCountS.SetCaption("9");
    box.Timer1Timer(&box.Timer1);
    EXPECT_EQ(box.Label_TM.Caption(), "0秒");
    EXPECT_EQ(box.ModalResult, obsc32::kTimedOut);

    obsc32::TMKBox zero;
    zero.Create();
    zero.TMCountS.SetCaption("0");
    zero.Timer1Timer(&zero.Timer1);
    EXPECT_EQ(zero.Label_TM.Caption(), "-1秒");
    EXPECT_EQ(zero.ModalResult, obsc32::kTimedOut);
}

TEST_F(MKBoxTest, HugeTextsArePinnedToTheWorkAreaAndStayUsable) {
    std::string lines;
    for (int i = 0; i < 300; ++i) lines += "行 " + std::to_string(i) + "\n";
    RECT outer{};
    std::string copied;
    Drive([&](HWND box) {
        GetWindowRect(box, &outer);
        HWND memo = Child(box, "EDIT", nullptr);
        // The text can be copied out.
        SendMessageA(memo, EM_SETSEL, 0, -1);
        SendMessageA(memo, WM_COPY, 0, 0);
        if (OpenClipboard(nullptr)) {
            if (HANDLE h = GetClipboardData(CF_TEXT)) {
                copied = static_cast<const char*>(GlobalLock(h));
                GlobalUnlock(h);
            }
            CloseClipboard();
        }
        Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.MsgOK(lines), 1);
    driver_.join();
    obsc32::GetWorkArea();
    // Taller than the work area: pinned to its top, still centred across.
    EXPECT_GT(outer.bottom - outer.top, obsc32::WorkHeight);
    EXPECT_EQ(outer.top, obsc32::WorkTop);
    EXPECT_EQ(outer.left, (1024 - (outer.right - outer.left)) / 2);
    EXPECT_EQ(copied.substr(0, 10), "行 0\r\n行 1");

    std::string wide(5000, 'W');
    Drive([&](HWND box) {
        GetWindowRect(box, &outer);
        Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.MsgOK(wide), 1);
    driver_.join();
    EXPECT_GT(outer.right - outer.left, obsc32::WorkWidth);
    EXPECT_EQ(outer.left, obsc32::WorkLeft);
    EXPECT_GE(outer.top, obsc32::WorkTop);

    Drive([&](HWND) { Key(VK_RETURN); });
    EXPECT_EQ(dlg.MsgOK(""), 1);
    driver_.join();
    Drive([&](HWND) { Key(VK_RETURN); });
    EXPECT_EQ(dlg.MsgOK("a\r\nb\r\n"), 1);
}

TEST_F(MKBoxTest, TheBoxWearsTheMainWindowsColoursAndTheBarStandsOut) {
    main_->SetColor(RGB(255, 0, 0));
    main_->SetFontColor(RGB(0, 0, 0));
    COLORREF face = 0, bar = 0, iconCorner = 0;
    Drive([&](HWND box) {
        Sleep(400);
        RECT r;
        GetWindowRect(box, &r);
        POINT p{5, 5};
        ClientToScreen(box, &p);
        face = ScreenPixel(p.x, p.y);
        HWND icon = Child(box, "TImage", nullptr);
        GetWindowRect(icon, &r);
        iconCorner = ScreenPixel(r.left, r.top);
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT cr = ClientRectOf(c);
            if (cr.bottom - cr.top == 3 && IsWindowVisible(c)) {
                GetWindowRect(c, &cr);
                bar = ScreenPixel(cr.left + 10, cr.top + 1);
            }
        }
        Key(VK_RETURN);
    });
    dlg.TimerCount = 10;
    EXPECT_EQ(dlg.MsgYesNoTimer("赤い窓", 6), 6);
    driver_.join();
    EXPECT_EQ(face, RGB(255, 0, 0));
    EXPECT_EQ(bar, RGB(0, 0, 255));
    // The icon's black surround is drawn in the box colour.
    EXPECT_EQ(iconCorner, RGB(255, 0, 0));
}

TEST(GetWorkArea, FindsABarAtTheScreenEdgeAndRemembersIt) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    obsc32::ForgetTaskbar();
    // Wine's own taskbar starts at the screen's left edge, which the rules do not take for a taskbar.
    EXPECT_FALSE(obsc32::GetWorkArea());
    EXPECT_EQ(obsc32::WorkHeight, h);

    // A bar reaching 2 pixels past the screen's sides, as a shell's taskbar does, with no title.
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "TestBar";
    RegisterClassA(&wc);
    HWND bar = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "TestBar", "", WS_POPUP | WS_VISIBLE, -2,
                               h - 30, w + 4, 32, nullptr, nullptr, nullptr, nullptr);
    PumpFor(100);
    EXPECT_TRUE(obsc32::GetWorkArea());
    EXPECT_EQ(obsc32::WorkTop, 0);
    EXPECT_EQ(obsc32::WorkHeight, h - 30);
    EXPECT_EQ(obsc32::WorkWidth, w);
    // Remembered: found again even where nothing covers the probe points any more.
    MoveWindow(bar, -2, -2, w + 4, 30, TRUE);
    PumpFor(100);
    EXPECT_TRUE(obsc32::GetWorkArea());
    EXPECT_EQ(obsc32::WorkTop, 28);
    EXPECT_EQ(obsc32::WorkHeight, h - 28);
    // A bar that leaves nothing is forgotten.
    MoveWindow(bar, -2, 0, w + 4, 30, TRUE);
    EXPECT_FALSE(obsc32::GetWorkArea());
    EXPECT_EQ(obsc32::WorkHeight, h);
    DestroyWindow(bar);
    // A titled window is no taskbar.
    HWND titled = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "TestBar", "bar", WS_POPUP | WS_VISIBLE,
                                  -2, h - 30, w + 4, 32, nullptr, nullptr, nullptr, nullptr);
    PumpFor(100);
    EXPECT_FALSE(obsc32::GetWorkArea());
    DestroyWindow(titled);
}
