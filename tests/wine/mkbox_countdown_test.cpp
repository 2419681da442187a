#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "wine/mkbox_fixture.hpp"

using namespace testing_wine;
using obsc32::MsgKind;
using testing_common::TextOf;

TEST_F(MKBoxTest, YesNoCountdownTimesOutWithDefaultAndMarksIt) {
    RECT yes{}, no{}, bar{}, stop{}, count{}, client{};
    bool barShown = false, barRed = false;
    std::string firstCount;
    Drive([&](HWND box) {
        HWND barWnd = Bar(box);
        GetClientRect(box, &client);
        yes = ClientRectOf(Child(box, "TColorBtn", "はい"));
        no = ClientRectOf(Child(box, "TColorBtn", "いいえ"));
        stop = ClientRectOf(Child(box, "TColorBtn", "一時停止"));
        HWND countWnd = CountLabel(box);
        firstCount = TextOf(countWnd);
        if (countWnd) count = ClientRectOf(countWnd);
        barShown = barWnd && IsWindowVisible(barWnd);
        if (barWnd) {
            bar = ClientRectOf(barWnd);
            RECT s;
            GetWindowRect(barWnd, &s);
            barRed = WaitUntil([&] { return ScreenPixel(s.left + 40, s.top + 1) == RGB(255, 0, 0); }, 1500);
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
    EXPECT_TRUE(barRed);
    EXPECT_EQ(yes.top, no.top);
    EXPECT_EQ(no.left - yes.right, stop.left - no.right);  // equal gaps
    // The seconds sit in the bottom-right corner.
    EXPECT_EQ(count.right, client.right);
    EXPECT_EQ(count.bottom, client.bottom);
}

TEST_F(MKBoxTest, TheCountGoesDownASecondATickAndAtZeroOrBelowClosesAtTheFirst) {
    std::vector<std::string> shown;
    countsShown = &shown;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordCounts, nullptr, GetCurrentThreadId());
    dlg.TimerCount = 3;
    DWORD start = GetTickCount();
    EXPECT_EQ(dlg.MsgOKTimer("数える", 1), 1);
    DWORD took = GetTickCount() - start;
    EXPECT_EQ(shown, (std::vector<std::string>{"3秒", "2秒", "1秒", "0秒"}));
    EXPECT_GE(took, 2800u);
    EXPECT_LT(took, 5000u);

    for (int count : {0, -2}) {
        shown.clear();
        dlg.TimerCount = count;
        start = GetTickCount();
        EXPECT_EQ(dlg.MsgYesNoTimer("すぐ", 7), 7);
        took = GetTickCount() - start;
        EXPECT_EQ(shown,
                  (std::vector<std::string>{std::to_string(count) + "秒", std::to_string(count - 1) + "秒"}));
        EXPECT_GE(took, 800u);
        EXPECT_LT(took, 2500u);
    }
    UnhookWindowsHookEx(hook);
}

TEST_F(MKBoxTest, PlainDefaultZeroShowsNoBarAndAnswersZero) {
    bool anyBar = true;
    Drive([&](HWND box) { anyBar = IsWindowVisible(Bar(box)); });
    EXPECT_EQ(dlg.MsgOKTimer("お知らせ", 0), 0);
    driver_.join();
    EXPECT_FALSE(anyBar);
}

TEST_F(MKBoxTest, WithoutTimerNoCountdownIsShownAndNothingTimesOut) {
    dlg.Timer = false;
    dlg.TimerCount = 1;
    bool stillOpen = false, escapeIgnored = false, countdownShown = true;
    Drive([&](HWND box) {
        countdownShown =
            IsWindowVisible(Child(box, "TColorBtn", "一時停止")) || IsWindowVisible(CountLabel(box));
        stillOpen = HoldsFor([&] { return IsWindowVisible(box); }, 2200);
        input::Key(VK_ESCAPE);  // an OK box has no cancel button
        escapeIgnored = HoldsFor([&] { return IsWindowVisible(box); }, 300);
        input::Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.MsgOKTimer("止まらない", 0), 1);
    driver_.join();
    EXPECT_FALSE(countdownShown);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(escapeIgnored);
}

TEST_F(MKBoxTest, PauseHoldsTheCountAndResumeGoesOn) {
    dlg.TimerCount = 6;
    std::string pausedAt, afterResume;
    bool heldWhilePaused = false, openShownWhilePaused = false;
    Drive([&](HWND box) {
        HWND count = CountLabel(box);
        HWND stop = Child(box, "TColorBtn", "一時停止");
        HWND open = Child(box, "TColorBtn", "ｶｳﾝﾄ再開");
        WaitUntil([&] { return TextOf(count) == "5秒"; });
        ClickAt(stop);
        WaitUntil([&] { return !IsWindowVisible(stop); });
        pausedAt = TextOf(count);
        openShownWhilePaused = IsWindowVisible(open) && !IsWindowVisible(stop);
        heldWhilePaused = HoldsFor([&] { return TextOf(count) == pausedAt; }, 2500);
        ClickAt(open);
        WaitUntil([&] { return TextOf(count) != pausedAt; });
        afterResume = TextOf(count);
        input::Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.MsgOKTimer("待って", 1), 1);
    driver_.join();
    ASSERT_GE(pausedAt.size(), 3u);
    // The count the pause caught stays while paused and goes on by one after resuming.
    EXPECT_TRUE(pausedAt == "5秒" || pausedAt == "4秒") << pausedAt;
    EXPECT_TRUE(heldWhilePaused);
    EXPECT_TRUE(openShownWhilePaused);
    EXPECT_EQ(afterResume, std::to_string(std::stoi(pausedAt) - 1) + "秒");
}
