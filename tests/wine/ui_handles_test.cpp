#include <gtest/gtest.h>

#include "ui/handles.hpp"
#include "ui/menu.hpp"
#include "ui/timer.hpp"
#include "wine/fixture.hpp"

TEST(Handles, OwnersReleaseOnceAndMovesTransferOwnership) {
    HBITMAP raw = CreateBitmap(4, 4, 1, 1, nullptr);
    {
        ui::Bitmap a(raw);
        ui::Bitmap b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BITMAP));
        ui::Bitmap c;
        c = std::move(b);
        EXPECT_EQ(c.Get(), raw);
    }
    EXPECT_EQ(GetObjectType(raw), 0u);

    HMENU menu = CreatePopupMenu();
    { ui::Menu m(menu); }
    EXPECT_FALSE(IsMenu(menu));

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
    { ui::Key k(key); }
    EXPECT_EQ(RegQueryValueExA(key, "x", nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);

    HBITMAP kept = CreateBitmap(2, 2, 1, 1, nullptr);
    {
        ui::Bitmap k(kept);
        HBITMAP released = k.Release();
        EXPECT_EQ(released, kept);
    }
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BITMAP));
    DeleteObject(kept);
}

TEST(Handles, WindowDcGoesBackToItsOwnWindow) {
    // A class DC is shared by the class's windows; releasing it against another window fails.
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "DcTestOwn";
    wc.style = CS_OWNDC;
    RegisterClassA(&wc);
    HWND wnd = CreateWindowA("DcTestOwn", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    {
        ui::WindowDC dc = ui::WindowDC::Of(wnd);
        ASSERT_TRUE(dc);
        EXPECT_EQ(dc.Window(), wnd);
        ui::WindowDC moved(std::move(dc));
        EXPECT_FALSE(dc);
        EXPECT_EQ(moved.Window(), wnd);
        EXPECT_EQ(WindowFromDC(moved.Get()), wnd);
    }
    DestroyWindow(wnd);
}

TEST(Timer, TicksWhileEnabledAndStopsWhenDisabled) {
    ui::Timer timer(nullptr, "T", 20, false);
    int ticks = 0;
    timer.OnTimer = [&](ui::Component* sender) {
        EXPECT_EQ(sender, &timer);
        if (++ticks == 3) timer.SetEnabled(false);
    };
    testing_wine::PumpFor(100);
    EXPECT_EQ(ticks, 0);
    timer.SetEnabled(true);
    EXPECT_TRUE(testing_wine::WaitUntil([&] { return ticks >= 3; }, 2000));
    testing_wine::PumpFor(150);
    EXPECT_EQ(ticks, 3);
}

namespace {
struct Seen {
    int count = -1;
    UINT stateB = 0;
    char captionC[32] = {};
};
ui::PopupMenu* current;
Seen* out;

// Inspects the real menu while it is up, then chooses "Gamma" with the keyboard.
void CALLBACK InspectAndChooseGamma(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HMENU h = current->TrackingMenu();
    if (!h) return;
    out->count = GetMenuItemCount(h);
    out->stateB = GetMenuState(h, 2, MF_BYPOSITION);
    GetMenuStringA(h, 3, out->captionC, sizeof out->captionC, MF_BYPOSITION);
    HWND popup = FindWindowA("#32768", nullptr);
    PostMessageA(popup, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(popup, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
}
}  // namespace

TEST(PopupMenu, ShowsVisibleItemsWithTheirStateAndReturnsTheChosenOne) {
    ui::PopupMenu menu(nullptr, "M");
    ui::MenuItem a(nullptr, "A", "Alpha"), sep(nullptr, "S"), b(nullptr, "B", "Beta", false),
        c(nullptr, "C", "Gamma"), hidden(nullptr, "H", "Hidden"), sub(nullptr, "Sub", "Sub"),
        inner(nullptr, "I", "Inner");
    b.Checked = true;
    hidden.Visible = false;
    sub.Add({&inner});
    menu.Items.Add({&a, &sep, &b, &hidden, &c, &sub});
    int popups = 0;
    menu.OnPopup = [&](ui::Component*) { ++popups; };

    HWND owner = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    Seen seen;
    current = &menu;
    out = &seen;
    SetTimer(nullptr, 0, 200, InspectAndChooseGamma);
    ui::MenuItem* chosen = menu.Track(10, 10, owner);
    DestroyWindow(owner);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(seen.count, 5);  // the hidden item is left out
    EXPECT_TRUE(seen.stateB & MF_CHECKED);
    EXPECT_TRUE(seen.stateB & MF_GRAYED);
    EXPECT_STREQ(seen.captionC, "Gamma");
    EXPECT_EQ(chosen, &c);
    EXPECT_EQ(menu.TrackingMenu(), nullptr);
}
