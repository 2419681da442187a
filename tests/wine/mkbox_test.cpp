#include <windows.h>
#include <commctrl.h>

#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "ui/timer.hpp"
#include "widgets/work_area.hpp"
#include "wine/mkbox_fixture.hpp"

using namespace testing_wine;
using obsc32::MsgKind;
using testing_common::TextOf;

TEST_F(MKBoxTest, OkBoxLayoutReadBackFromTheWindow) {
    RECT outer{}, client{}, memo{}, ok{}, icon{};
    std::string title, memoText;
    bool countdownShown = true;
    Drive([&](HWND box) {
        GetWindowRect(box, &outer);
        GetClientRect(box, &client);
        title = TextOf(box);
        HWND memoWnd = Child(box, "EDIT", nullptr);
        memo = ClientRectOf(memoWnd);
        memoText = TextOf(memoWnd);
        ok = ClientRectOf(Child(box, "TColorBtn", "ＯＫ"));
        icon = ClientRectOf(Child(box, "TImage", nullptr));
        countdownShown = IsWindowVisible(Child(box, "TColorBtn", "一時停止"));
        input::Key(VK_RETURN);
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
    ui::Rect work = obsc32::GetWorkArea().Area;
    EXPECT_EQ(outer.left, (1024 - w) / 2);
    EXPECT_EQ(outer.top, std::min((768 - h) / 2, work.Bottom() - h));
    EXPECT_EQ(FindWindowW(testing_common::W("TMKBox").c_str(), nullptr), nullptr);
}

TEST_F(MKBoxTest, KeysAndTheCloseBoxGiveTheirAnswers) {
    Drive([](HWND) { input::Key(VK_ESCAPE); });
    EXPECT_EQ(dlg.MsgBox(MsgKind::YesNo, "はい？"), 7);
    Drive([](HWND) { input::Key(VK_RETURN); });
    EXPECT_EQ(dlg.MsgBox(MsgKind::YesNo, "はい？"), 6);
    Drive([](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(dlg.MsgYesNoTimer("閉じる", 6), 2);
    // Tabbing to "いいえ" makes it the button Enter presses.
    Drive([](HWND box) {
        HWND no = Child(box, "TColorBtn", "いいえ");
        input::Key(VK_TAB);
        WaitUntil([&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info) && info.hwndFocus == no;
        });
        input::Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.MsgBox(MsgKind::YesNo, "はい？"), 7);
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
        WaitUntil([] { return VisibleBoxes() == 2; });
        input::Key(VK_RETURN);
        WaitUntil([] { return VisibleBoxes() == 1; });
        input::Key(VK_RETURN);
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
    EXPECT_EQ(FindWindowW(testing_common::W("TMKBox").c_str(), nullptr), nullptr);
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
            if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
                copied = testing_common::U(static_cast<const wchar_t*>(GlobalLock(h)));
                GlobalUnlock(h);
            }
            CloseClipboard();
        }
        input::Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.MsgOK(lines), 1);
    driver_.join();
    ui::Rect work = obsc32::GetWorkArea().Area;
    // Taller than the work area: pinned to its top, still centred across.
    EXPECT_GT(outer.bottom - outer.top, work.Height);
    EXPECT_EQ(outer.top, work.Top);
    EXPECT_EQ(outer.left, (1024 - (outer.right - outer.left)) / 2);
    EXPECT_EQ(copied.substr(0, 12), "行 0\r\n行 1");

    std::string wide(5000, 'W');
    Drive([&](HWND box) {
        GetWindowRect(box, &outer);
        input::Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.MsgOK(wide), 1);
    driver_.join();
    EXPECT_GT(outer.right - outer.left, work.Width);
    EXPECT_EQ(outer.left, work.Left);
    EXPECT_GE(outer.top, work.Top);

    Drive([&](HWND) { input::Key(VK_RETURN); });
    EXPECT_EQ(dlg.MsgOK(""), 1);
    Drive([&](HWND) { input::Key(VK_RETURN); });
    EXPECT_EQ(dlg.MsgOK("a\r\nb\r\n"), 1);
}

TEST_F(MKBoxTest, TheBoxWearsTheMainWindowsColoursAndTheBarStandsOut) {
    main_->SetColor(RGB(255, 0, 0));
    main_->SetFontColor(RGB(0, 0, 0));
    COLORREF face = 0, bar = 0, iconCorner = 0;
    Drive([&](HWND box) {
        POINT p{5, 5};
        ClientToScreen(box, &p);
        RECT icon, barRect;
        GetWindowRect(Child(box, "TImage", nullptr), &icon);
        GetWindowRect(Bar(box), &barRect);
        // The icon's surround is drawn a moment after the box is painted.
        WaitUntil([&] {
            face = ScreenPixel(p.x, p.y);
            iconCorner = ScreenPixel(icon.left, icon.top);
            bar = ScreenPixel(barRect.left + 10, barRect.top + 1);
            return face == RGB(255, 0, 0) && iconCorner == RGB(255, 0, 0) && bar == RGB(0, 0, 255);
        });
        input::Key(VK_RETURN);
    });
    dlg.TimerCount = 10;
    EXPECT_EQ(dlg.MsgYesNoTimer("赤い窓", 6), 6);
    driver_.join();
    EXPECT_EQ(face, RGB(255, 0, 0));
    EXPECT_EQ(bar, RGB(0, 0, 255));
    // The icon's black surround is drawn in the box colour.
    EXPECT_EQ(iconCorner, RGB(255, 0, 0));
}

TEST_F(MKBoxTest, HoveringTheBarShowsWhatATimeoutAnswers) {
    main_->ShowHint = true;
    dlg.TimerCount = 60;
    std::string tip;
    Drive([&](HWND box) {
        RECT r;
        GetWindowRect(Bar(box), &r);
        // From elsewhere: a pointer that already rests where the bar appears reports no move over it.
        if (!input::MoveTo({(r.left + r.right) / 2, r.top + 40}) ||
            !input::MoveTo({(r.left + r.right) / 2, r.top + 1}))
            return;
        WaitUntil([&] {
            tip = TextOf(testing_common::VisibleWindowOf(TOOLTIPS_CLASSA, GetCurrentProcessId()));
            return !tip.empty();
        });
        PostMessageA(box, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(dlg.MsgYesNoTimer("消しますか？", 6), 2);
    driver_.join();
    EXPECT_EQ(tip, "タイムアウト、デフォルト値");
}
