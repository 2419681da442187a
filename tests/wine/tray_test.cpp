#include <string>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "cover/TOBSCURIO32VANTE.hpp"
#include "ui/application.hpp"
#include "wine/fixture.hpp"
#include "wine/recording_prompter.hpp"
#include "wine/shown_menu.hpp"

using namespace testing_wine;
using obsc32::TOBSCURIO32VANTE;

namespace {

// What a timer saw while a tray menu was up.
struct MenuProbe {
    TOBSCURIO32VANTE* cover = nullptr;
    int menu1Open = 0, menu2Open = 0, items = -1;
    int busyWhileOpen = -1;
    // The full menu's placement items as it showed them.
    bool topChecked = false, bottomChecked = false, restoreEnabled = false;
    bool secondClickReturned = false;
    LPARAM secondClick = 0;
};
MenuProbe* probe;

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    TOBSCURIO32VANTE& c = *probe->cover;
    // Each menu known by its first item: the full one starts with black, the short one with black on top.
    HMENU open = ShownMenu();
    probe->menu1Open = open && MenuItemText(open, 0) == "vaz";
    probe->menu2Open = open && MenuItemText(open, 0) == "一番上、vaz";
    if (open) probe->items = GetMenuItemCount(open);
    if (probe->menu1Open) {
        probe->topChecked = GetMenuState(open, 4, MF_BYPOSITION) & MF_CHECKED;
        probe->bottomChecked = GetMenuState(open, 5, MF_BYPOSITION) & MF_CHECKED;
        probe->restoreEnabled = !(GetMenuState(open, 7, MF_BYPOSITION) & MF_GRAYED);
    }
    probe->busyWhileOpen = c.Model.MenuBusy();
    if (probe->secondClick) {
        // Delivered the way the shell does while the first menu is still up, with either button.
        SendMessageA(c.Handle(), obsc32::WM_TRAY_NOTIFY, 0, probe->secondClick);
        SendMessageA(c.Handle(), obsc32::WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);
        probe->secondClickReturned = true;
    }
    EndMenu();
}

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteProductKeys();
        SetProductValue("Version", "12");
        cover = &ui::Application::Instance().CreateForm<TOBSCURIO32VANTE>(TestRun(obsc32::ProgramPath()));
        cover->Menus.PopupMenu1.OnPopup = [this](ui::Component* s) {
            ++popups1;
            cover->PopupMenu1Popup(s);
        };
        cover->Menus.PopupMenu2.OnPopup = [this](ui::Component* s) {
            ++popups2;
            cover->PopupMenu1Popup(s);
        };
        p.cover = cover;
        probe = &p;
    }
    void TearDown() override {
        if (cover->HandleAllocated()) DestroyWindow(cover->Handle());
        ui::Application::Instance().Reset();
        DeleteProductKeys();
    }
    void Click(LPARAM mouse) {
        SetTimer(nullptr, 0, 150, LookAtMenu);
        SendMessageA(cover->Handle(), obsc32::WM_TRAY_NOTIFY, 0, mouse);
    }
    TOBSCURIO32VANTE* cover = nullptr;
    int popups1 = 0, popups2 = 0;
    MenuProbe p;
};

}  // namespace

TEST_F(TrayTest, RightButtonOpensTheFullMenuAndLeftTheShortOne) {
    // The menu shows what the cover is as it opens: shown, at the bottom.
    cover->P2Click(&cover->Menus.P2);
    Click(WM_RBUTTONDOWN);
    EXPECT_FALSE(p.topChecked);
    EXPECT_TRUE(p.bottomChecked);
    EXPECT_TRUE(p.restoreEnabled);
    EXPECT_EQ(popups1, 1);
    EXPECT_EQ(popups2, 0);
    EXPECT_EQ(p.menu1Open, 1);
    EXPECT_EQ(p.items, 27);
    // Cleared as soon as the menu is up; the callback flag is down again afterwards.
    EXPECT_EQ(p.busyWhileOpen, 0);
    EXPECT_FALSE(cover->Model.TrayHandling());

    p = MenuProbe{cover};
    Click(WM_LBUTTONDOWN);
    EXPECT_EQ(popups2, 1);
    EXPECT_EQ(p.menu2Open, 1);
    EXPECT_EQ(p.items, 7);
}

TEST_F(TrayTest, OtherMouseMessagesOpenNothing) {
    for (LPARAM m : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK,
                     WM_MBUTTONDOWN, WM_MBUTTONUP})
        SendMessageA(cover->Handle(), obsc32::WM_TRAY_NOTIFY, 0, m);
    EXPECT_EQ(popups1 + popups2, 0);
    EXPECT_FALSE(cover->Model.TrayHandling());
}

TEST_F(TrayTest, ASecondClickWhileAMenuIsOpenOpensNone) {
    p.secondClick = WM_LBUTTONDOWN;
    Click(WM_RBUTTONDOWN);
    EXPECT_TRUE(p.secondClickReturned);
    EXPECT_EQ(popups1, 1);
    EXPECT_EQ(popups2, 0);
    EXPECT_TRUE(HoldsFor([&] { return !ShownMenu() && popups1 + popups2 == 1; }, 300))
        << "a menu opened late";
    // Once the menu is closed, clicks work again.
    p = MenuProbe{cover};
    Click(WM_LBUTTONDOWN);
    EXPECT_EQ(popups2, 1);
}

namespace {
void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }
}  // namespace

TEST_F(TrayTest, AClickOnItsWayBeforeAMenuIsUpOpensNone) {
    const UINT_PTR ender = SetTimer(nullptr, 0, 150, EndAnyMenu);
    // Both come before the first is handled: the first click lets waiting messages through while it opens
    // its menu, and so meets the second one there.
    PostMessageA(cover->Handle(), obsc32::WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);
    PostMessageA(cover->Handle(), obsc32::WM_TRAY_NOTIFY, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return popups1 == 1; })) << "the first click opened no menu";
    EXPECT_TRUE(HoldsFor([&] { return popups1 == 1 && popups2 == 0; }, 400)) << "the second click opened one";
    KillTimer(nullptr, ender);
    // Nothing is left held: the next click opens its menu.
    Click(WM_LBUTTONDOWN);
    EXPECT_EQ(popups2, 1);
}

namespace {
void CALLBACK ChooseFirstItem(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND popup = FindWindowW(testing_common::W("#32768").c_str(), nullptr);
    PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
}
}  // namespace

TEST_F(TrayTest, ACommandChosenFromTheMenuRunsAfterItHasClosed) {
    // Choose the first item of the short menu ("一番上、vaz") with the keyboard.
    SetTimer(nullptr, 0, 150, ChooseFirstItem);
    SendMessageA(cover->Handle(), obsc32::WM_TRAY_NOTIFY, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(cover->Handle()));
    EXPECT_EQ(cover->Model.Face(), 0);
    EXPECT_TRUE(testing_common::IsTopmost(cover->Handle()));
    EXPECT_FALSE(cover->Model.TrayHandling());
}

namespace {
// Asked as the cover's window is destroyed: the shell drops the icons of a destroyed window by itself.
HWND watched;
bool inTrayAtDestroy;
HHOOK destroyHook;
LRESULT CALLBACK SeeDestroy(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg->hwnd == watched && msg->message == WM_DESTROY)
        inTrayAtDestroy = InTray(watched);
    return CallNextHookEx(destroyHook, code, wParam, lParam);
}
}  // namespace

TEST_F(TrayTest, ClosingTakesTheIconOutOfTheTray) {
    watched = cover->Handle();
    ASSERT_TRUE(InTray(watched));
    inTrayAtDestroy = true;
    destroyHook = SetWindowsHookExA(WH_CALLWNDPROC, SeeDestroy, nullptr, GetCurrentThreadId());
    cover->PXClick(&cover->Menus.PX);
    UnhookWindowsHookEx(destroyHook);
    ASSERT_FALSE(IsWindow(watched));
    EXPECT_FALSE(inTrayAtDestroy);
}

TEST_F(TrayTest, WhenTheShellStartsAgainTheIconIsAddedAgainAndTheKeyStaysHeld) {
    // The new shell's tray knows no icon.
    NOTIFYICONDATAA rec{};
    rec.cbSize = NOTIFYICONDATAA_V1_SIZE;
    rec.hWnd = cover->Handle();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &rec));
    SendMessageA(rec.hWnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(InTray(rec.hWnd));
    EXPECT_FALSE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, 'B')) << "the cover let its key go";
}

namespace {
HHOOK hook;
LRESULT CALLBACK TakeTheTraySlot(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        char cls[64] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
        if (std::string(cls) == "TOBSCURIO32VANTE") {
            NOTIFYICONDATAA rec{};
            rec.cbSize = NOTIFYICONDATAA_V1_SIZE;
            rec.hWnd = reinterpret_cast<HWND>(wParam);
            rec.uFlags = NIF_MESSAGE;
            rec.uCallbackMessage = WM_USER + 500;
            Shell_NotifyIconA(NIM_ADD, &rec);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}
}  // namespace

TEST(TrayFailure, RefusedIconIsReportedAndTheCoverLivesOnWithoutIt) {
    DeleteProductKeys();
    SetProductValue("Version", "12");
    SetProductValue("AUTO", "1");
    // Another icon already holds the cover's slot, so the shell refuses the cover's own.
    hook = SetWindowsHookExA(WH_CBT, TakeTheTraySlot, nullptr, GetCurrentThreadId());
    TOBSCURIO32VANTE* cover;
    {
        BoxWatcher answerer(testing_common::kPlatformBox);
        cover = &ui::Application::Instance().CreateForm<TOBSCURIO32VANTE>(TestRun(obsc32::ProgramPath()));
        EXPECT_TRUE(WaitUntil([&] { return answerer.Count() > 0; }, 3000));
        EXPECT_EQ(answerer.Texts(), std::vector<std::string>{"タスクトレイに登録できません"});
        EXPECT_EQ(answerer.Titles(), std::vector<std::string>{"真っ黒すみかげ"});
    }
    UnhookWindowsHookEx(hook);
    HWND wnd = cover->Handle();
    EXPECT_TRUE(IsWindow(wnd));
    // The steps after the tray are skipped: the start-up timer never runs.
    EXPECT_FALSE(cover->Timer1.Enabled());
    EXPECT_TRUE(HoldsFor([&] { return !IsWindowVisible(wnd); }, 500));
    NOTIFYICONDATAA rec{};
    rec.cbSize = NOTIFYICONDATAA_V1_SIZE;
    rec.hWnd = wnd;
    Shell_NotifyIconA(NIM_DELETE, &rec);
    DestroyWindow(wnd);
    ui::Application::Instance().Reset();
    DeleteProductKeys();
}
