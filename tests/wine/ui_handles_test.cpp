#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "ui/busy_cursor.hpp"
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

namespace {

using DcRelease = std::pair<HWND, HDC>;

// Every ReleaseDC this program makes goes through its import table; while a spy sits there, each call's
// window is recorded. Wine, unlike Windows, releases a DC against any window, so only the call tells.
std::vector<DcRelease> releases;
testing_common::ImportPatch* releaseSpy = nullptr;
int WINAPI RecordRelease(HWND wnd, HDC dc) {
    releases.emplace_back(wnd, dc);
    return releaseSpy->Original<decltype(&ReleaseDC)>()(wnd, dc);
}

}  // namespace

TEST(Handles, WindowDcGoesBackToItsOwnWindowOnce) {
    HWND wnd = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND other = CreateWindowA("STATIC", "", WS_POPUP, 20, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    testing_common::ImportPatch spy("user32.dll", "ReleaseDC", reinterpret_cast<void*>(&RecordRelease));
    ASSERT_TRUE(spy.Installed());
    releaseSpy = &spy;
    releases.clear();
    HDC held = nullptr, otherDc = nullptr;
    {
        ui::WindowDC dc = ui::WindowDC::Of(wnd);
        ASSERT_TRUE(dc);
        held = dc.Get();
        EXPECT_EQ(WindowFromDC(held), wnd);
        ui::WindowDC moved(std::move(dc));
        EXPECT_FALSE(dc);
        EXPECT_EQ(moved.Window(), wnd);
        ui::WindowDC second = ui::WindowDC::Of(other);
        otherDc = second.Get();
        // Taking over another DC gives the one it held back first.
        second = std::move(moved);
        EXPECT_EQ(second.Window(), wnd);
        EXPECT_EQ(releases, (std::vector<DcRelease>{{other, otherDc}}));
    }
    EXPECT_EQ(releases, (std::vector<DcRelease>{{other, otherDc}, {wnd, held}}));
    DestroyWindow(other);
    DestroyWindow(wnd);
}

TEST(BusyCursor, ShowsTheHourglassForItsScopeAndPutsBackWhatWasShown) {
    const HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    const HCURSOR wait = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    SetCursor(arrow);
    {
        ui::BusyCursor busy;
        EXPECT_EQ(GetCursor(), wait);
        { ui::BusyCursor nested; }
        EXPECT_EQ(GetCursor(), wait) << "a nested scope took the hourglass away";
    }
    EXPECT_EQ(GetCursor(), arrow);
}

TEST(Timer, TicksWhileEnabledAndStopsWhenDisabled) {
    ui::Timer timer(nullptr, "T", 20, false);
    int ticks = 0;
    timer.OnTimer = [&](ui::Component* sender) {
        EXPECT_EQ(sender, &timer);
        // The third throws: reported as a window's message is, not the end of the process.
        if (++ticks == 3) timer.SetEnabled(false), throw ui::Error("刻み");
    };
    testing_wine::BoxWatcher answerer(testing_common::kPlatformBox);
    EXPECT_TRUE(testing_wine::HoldsFor([&] { return ticks == 0; }, 100));
    EXPECT_TRUE(timer.SetEnabled(true));
    EXPECT_TRUE(testing_wine::WaitUntil([&] { return ticks >= 3; }, 2000));
    EXPECT_TRUE(testing_wine::HoldsFor([&] { return ticks == 3; }, 150));
    EXPECT_EQ(answerer.Count(), 1);
}

namespace {
struct Seen {
    HMENU menu = nullptr;
    int count = -1;
    UINT stateB = 0;
    char captionC[32] = {};
};
Seen* out;

// Inspects the real menu while it is up, then chooses "Gamma" with the keyboard.
void CALLBACK InspectAndChooseGamma(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND popup = FindWindowW(testing_common::W("#32768").c_str(), nullptr);
    HMENU h = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    if (!h) return;
    out->menu = h;
    out->count = GetMenuItemCount(h);
    out->stateB = GetMenuState(h, 2, MF_BYPOSITION);
    GetMenuStringA(h, 3, out->captionC, sizeof out->captionC, MF_BYPOSITION);
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
    // The menu built for the popup went with it.
    EXPECT_FALSE(IsMenu(seen.menu));
    EXPECT_EQ(testing_common::VisibleWindowOf("#32768"), nullptr);
}
