#include <map>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "common/registry.hpp"
#include "common/text.hpp"
#include "cover/TOBSCURIO32VANTE.hpp"
#include "settings/product.hpp"
#include "ui/application.hpp"
#include "wine/cover_fixture.hpp"
#include "wine/shown_menu.hpp"

using namespace testing_wine;
using obsc32::TOBSCURIO32VANTE;

namespace {

using testing_common::IsTopmost;

class CoverTest : public CoverFixture {
protected:
    // Closes the cover as "終了する" does and reports whether the window is gone.
    bool Quit() {
        cover_->PXClick(&cover_->Menus.PX);
        return !cover_->HandleAllocated();
    }
};

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
// A window of the test's own, shown before the cover.
constexpr RECT kMine{100, 100, 400, 300};
constexpr POINT kInMine{250, 200};

// Of this process's windows, only the test's own has a taskbar button: neither the cover nor the
// application window. The own window's button shows that the buttons are there to be read.
::testing::AssertionResult OnlyMineOnTheTaskbar(HWND mine) {
    const std::vector<HWND> onlyMine{mine};
    if (!WaitUntil([&] { return testing_common::TaskbarButtonWindowsOf(GetCurrentProcessId()) == onlyMine; }))
        return ::testing::AssertionFailure() << "the taskbar does not show this process's own window alone";
    if (!HoldsFor([&] { return testing_common::TaskbarButtonWindowsOf(GetCurrentProcessId()) == onlyMine; },
                  500))
        return ::testing::AssertionFailure() << "the taskbar shows a button for the cover's windows";
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(CoverTest, WithNoSettingsStartsHiddenWithDefaultMenuState) {
    DeleteProductKeys();
    TOBSCURIO32VANTE& c = Create();
    HWND wnd = FindWindowW(testing_common::W("TOBSCURIO32VANTE").c_str(), nullptr);
    ASSERT_EQ(wnd, c.Handle());
    RECT r;
    GetWindowRect(wnd, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    LONG style = GetWindowLongA(wnd, GWL_STYLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_FALSE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    EXPECT_FALSE(c.Model.AutoStart());
    EXPECT_TRUE(c.Model.StartOnTop());
    EXPECT_EQ(c.Faces.Position(), obsc32::WallpaperPosition::Tile);
    EXPECT_EQ(c.Model.Face(), 0);
    EXPECT_FALSE(c.Model.Bottom());
    EXPECT_FALSE(c.Model.Shown());
    EXPECT_FALSE(c.Faces.CaptureHeld());
    EXPECT_EQ(c.Faces.ColorDepth(), 32);
    // Shortcut paths from the shell's folders, read independently here.
    auto shellFolder = [](const char* name) {
        return testing_common::registry::StringOf(
            HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name);
    };
    const std::string lnk = "vaz       すみかげ.lnk";
    EXPECT_EQ(c.Icons.DesktopShortcut(), shellFolder("Desktop") + "\\" + lnk);
    EXPECT_EQ(c.Icons.StartupShortcut(), shellFolder("Startup") + "\\" + lnk);
    EXPECT_EQ(c.Icons.ProgramsShortcut(), shellFolder("Programs") + "\\" + lnk);  // empty group name

    // The start-up timer runs once and, without the auto option, shows nothing.
    EXPECT_TRUE(WaitUntil([&] { return !c.Timer1.Enabled(); }, 2000));
    EXPECT_TRUE(HoldsFor([&] { return !IsWindowVisible(wnd); }, 300));
    EXPECT_EQ(c.Model.Face(), 0);

    EXPECT_TRUE(InTray(wnd));
    // No taskbar button: the application window is hidden.
    EXPECT_FALSE(IsWindowVisible(ui::Application::Instance().Handle()));
}

TEST_F(CoverTest, AutoStartOnTopCoversTheWholeScreenInBlackAboveOtherWindows) {
    SetProductValue("AUTO", "1");
    SetProductValue("UE", "1");
    SetProductValue("MUE", "0");  // "on top at start-up" wins over the stored bottom choice
    testing_common::PlainWindow mine(kMine, kRed);
    mine.Show();
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(kInMine.x, kInMine.y) == kRed; })) << "mine is not drawn";
    TOBSCURIO32VANTE& c = Create();
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(c.Handle()); }, 2000));
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(c.Handle()) && GetForegroundWindow() == c.Handle(); }));
    EXPECT_TRUE(testing_common::IsAbove(c.Handle(), mine.Handle()));
    EXPECT_FALSE(c.Model.Bottom());
    EXPECT_TRUE(c.Model.Shown());
    // Corners, the middle, the taskbar, the tray, and the test's own window.
    const POINT points[] = {{0, 0},   {1023, 0},   {512, 384},  {0, 767},   {1023, 767},
                            {5, 760}, {1020, 760}, {1013, 758}, {300, 700}, kInMine};
    for (POINT p : points)
        EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(p.x, p.y) == kBlack; }))
            << "not black at " << p.x << "," << p.y;
    // Its taskbar buttons are the end-to-end road's, which sees the program's whole process.
}

TEST_F(CoverTest, AutoStartAtBottomStaysBeneathOtherWindowsAndLeavesTheFocusAlone) {
    // As a close writes them once auto start at the bottom was chosen (CoverClose, the start-up options'
    // case): "not on top at start-up" wins over the stored top placement.
    SetProductValue("AUTO", "1");
    SetProductValue("UE", "0");
    SetProductValue("MUE", "1");
    TOBSCURIO32VANTE& c = Create();
    // A window the user opens while the cover waits for its start-up timer.
    testing_common::PlainWindow mine(kMine, kRed);
    mine.Show();
    ASSERT_EQ(GetForegroundWindow(), mine.Handle());
    // The placement passes through other states on its way; what counts is where it settles. The focus,
    // though, must never move.
    bool focusMoved = false;
    auto focusStays = [&] { focusMoved |= GetForegroundWindow() != mine.Handle(); };
    ASSERT_TRUE(WaitUntil([&] { return focusStays(), IsWindowVisible(c.Handle()); }, 2000));
    EXPECT_TRUE(WaitUntilSteady(
        [&] {
            focusStays();
            return !IsTopmost(c.Handle()) && IsAtBottom(c.Handle()) &&
                   testing_common::IsAbove(mine.Handle(), c.Handle());
        },
        300));
    EXPECT_FALSE(focusMoved) << "the bottom cover took the focus";
    EXPECT_EQ(GetForegroundWindow(), mine.Handle());
    EXPECT_TRUE(c.Model.Bottom());
    // The other window is still seen; the desktop around it is black.
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(kInMine.x, kInMine.y) == kRed; }));
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(700, 300) == kBlack && ScreenPixel(800, 100) == kBlack; }));
    EXPECT_TRUE(OnlyMineOnTheTaskbar(mine.Handle()));
}

TEST_F(CoverTest, RightClickInTheTopLeftCornerHidesOnlyInsideTwentyPixels) {
    TOBSCURIO32VANTE& c = CreateStarted();
    c.PKUROClick(&c.Menus.PKURO);
    ASSERT_TRUE(IsWindowVisible(c.Handle()));
    HWND image = c.Image1.Handle();
    SendMessageA(image, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 5));
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    SendMessageA(image, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 20));
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    SendMessageA(image, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(c.Model.Shown());
    SendMessageA(image, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(19, 19));
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
    EXPECT_FALSE(c.Model.Shown());
    // Hiding keeps the face and the placement choice.
    EXPECT_EQ(c.Model.Face(), 0);
    EXPECT_FALSE(c.Model.Bottom());
}

TEST_F(CoverTest, ARealClickOnTheBottomCoverLeavesItAtTheBottom) {
    SetProductValue("MUE", "0");
    TOBSCURIO32VANTE& c = CreateStarted();
    c.PKUROClick(&c.Menus.PKURO);
    ASSERT_TRUE(WaitUntilSteady([&] { return IsWindowVisible(c.Handle()) && IsAtBottom(c.Handle()); }, 100));
    // The waits of the click handle the cover's messages, this thread's own.
    ASSERT_TRUE(input::Click({600, 400}));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == c.Handle(); }))
        << "the click did not reach it";
    EXPECT_TRUE(WaitUntilSteady(
        [&] { return IsWindowVisible(c.Handle()) && IsAtBottom(c.Handle()) && !IsTopmost(c.Handle()); },
        300));
}

TEST_F(CoverTest, ShortMenuFacePutsABottomCoverOnTopForGood) {
    SetProductValue("MUE", "0");
    TOBSCURIO32VANTE& c = CreateStarted();
    ASSERT_TRUE(c.Model.Bottom());
    c.PL0Click(&c.Menus.PL0);
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(IsTopmost(c.Handle()));
    EXPECT_FALSE(c.Model.Bottom());
    EXPECT_EQ(c.Model.Face(), 0);
    ASSERT_TRUE(Quit());
    EXPECT_EQ(ReadProductValue("MUE"), "1");
}

TEST_F(CoverTest, RestoreThenBlackShowsAgainWhereTheChecksSay) {
    TOBSCURIO32VANTE& c = CreateStarted();
    c.P2Click(&c.Menus.P2);
    EXPECT_TRUE(IsAtBottom(c.Handle()));
    c.P3Click(&c.Menus.P3);
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
    EXPECT_FALSE(c.Model.Shown());
    c.PKUROClick(&c.Menus.PKURO);
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(IsAtBottom(c.Handle()));
    EXPECT_TRUE(c.Model.Shown());
    // From the top placement, the bottom one takes the topmost state away.
    c.P1Click(&c.Menus.P1);
    EXPECT_TRUE(IsTopmost(c.Handle()));
    c.P2Click(&c.Menus.P2);
    EXPECT_FALSE(IsTopmost(c.Handle()));
    EXPECT_TRUE(IsAtBottom(c.Handle()));
    // A face chosen without placing prepares without showing.
    c.P3Click(&c.Menus.P3);
    c.Model.ChooseFace(0, false);
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
    // Shown on top, it is painted by the time the command returns, ahead of anything queued.
    c.P1Click(&c.Menus.P1);
    RECT r;
    EXPECT_FALSE(GetUpdateRect(c.Handle(), &r, FALSE));
}

namespace {
namespace registry = testing_common::registry;
using Values = std::map<std::string, registry::Value>;

// The settings and the key as a close writes them, with "Version" as the fixture stored it.
Values Written(const char* autoStart, const char* ue, const char* ichi, const char* bmpFile, const char* kabe,
               const char* mode, const char* mue) {
    using registry::Sz;
    return {{"Version", Sz("12")}, {"AUTO", Sz(autoStart)},  {"UE", Sz(ue)},
            {"ICHI", Sz(ichi)},    {"BMPFile", Sz(bmpFile)}, {"Kabe", Sz(kabe)},
            {"mode", Sz(mode)},    {"MUE", Sz(mue)},         {"HotKey", Sz("Ctrl+Alt+B")}};
}

constexpr char kDesktopKey[] = ".Default\\Control Panel\\Desktop";
constexpr char kSystemWallpaper[] = "C:\\windows\\obsc32test.bmp";

// "立ち上げ時、一番上にする。" as the full menu shows it when opened from the tray: -1 not seen.
int startOnTopEnabled = -1;
void CALLBACK ReadStartOnTop(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HMENU menu = ShownMenu();
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i)
        if (MenuItemText(menu, i) == "立ち上げ時、一番上にする。")
            startOnTopEnabled = !(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED);
    EndMenu();
}
int StartOnTopEnabled(TOBSCURIO32VANTE& c) {
    startOnTopEnabled = -1;
    SetTimer(nullptr, 0, 150, ReadStartOnTop);
    SendMessageA(c.Handle(), obsc32::WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);
    return startOnTopEnabled;
}

void StoreOddValues() {
    SetProductValue("ICHI", "9");
    SetProductDword("AUTO", 1);
    SetProductValue("BMPFile", "C:\\ソ\\x.bmp");
}
void ChooseStartUpOptionsAndAMissingBmp(TOBSCURIO32VANTE& c) {
    // Read as fallbacks: "AUTO" stored as a number is off, position 9 is no position.
    EXPECT_FALSE(c.Model.AutoStart());
    EXPECT_EQ(c.Faces.Position(), obsc32::WallpaperPosition::Tile);
    // The second start-up option can be chosen only while the first is on.
    EXPECT_EQ(StartOnTopEnabled(c), 0);
    c.Menus.PS0.Click();
    EXPECT_TRUE(c.Model.AutoStart());
    EXPECT_EQ(StartOnTopEnabled(c), 1);
    c.Menus.PS1.Click();
    EXPECT_FALSE(c.Model.StartOnTop());
    EXPECT_FALSE(IsWindowVisible(c.Handle())) << "a start-up option showed the cover";
    {
        // The BMP file is not there: the face and position stay chosen, and its notice is answered.
        BoxWatcher notice;
        c.PKG0Click(&c.Menus.PKG4);
        EXPECT_EQ(notice.Count(), 1);
    }
    // With no system wallpaper, the wallpaper source is the BMP file.
    EXPECT_FALSE(c.Faces.SystemWallpaperSource());
}

void StoreOwnSettings() {
    for (const auto& [name, value] : {std::pair<const char*, const char*>{"AUTO", "0"},
                                      {"UE", "0"},
                                      {"ICHI", "6"},
                                      {"BMPFile", "C:\\pictures\\test.bmp"},
                                      {"Kabe", "0"},
                                      {"mode", "0"},
                                      {"MUE", "0"}})
        SetProductValue(name, value);
}
void StaysHidden(TOBSCURIO32VANTE& c) {
    // The start-up display is off: the cover stays hidden past its start-up timer.
    EXPECT_TRUE(HoldsFor([&] { return !IsWindowVisible(c.Handle()); }, 300));
}

struct CloseCase {
    const char* name;
    const char* systemWallpaper;        // nullptr: none set
    void (*store)();                    // settings stored before the start, besides "Version"
    void (*choose)(TOBSCURIO32VANTE&);  // what is done before the close, with what it shows
    bool bySystem;                      // closed with WM_CLOSE, as the system closes a window
    Values written;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class CoverClose : public CoverTest, public ::testing::WithParamInterface<CloseCase> {};

}  // namespace

TEST_P(CoverClose, WritesTheSevenSettingsAndTheKeyAsStrings) {
    const CloseCase& test = GetParam();
    registry::SavedKey desktop(HKEY_USERS, kDesktopKey);
    if (test.systemWallpaper)
        ASSERT_TRUE(registry::SetString(HKEY_USERS, kDesktopKey, "Wallpaper", test.systemWallpaper));
    else
        registry::DeleteValue(HKEY_USERS, kDesktopKey, "Wallpaper");
    if (test.store) test.store();
    TOBSCURIO32VANTE& c = CreateStarted();
    if (test.choose) test.choose(c);
    HWND wnd = c.Handle();
    if (test.bySystem)
        SendMessageA(wnd, WM_CLOSE, 0, 0);
    else
        c.Menus.PX.Click();
    ASSERT_FALSE(IsWindow(wnd)) << "the cover did not close";
    EXPECT_EQ(registry::ReadAll(HKEY_CURRENT_USER, obsc32::ProductKey), test.written);
}

// With a system wallpaper the wallpaper face reads it, so "Kabe" is written as on; without, as off.
INSTANTIATE_TEST_SUITE_P(
    Cases, CoverClose,
    ::testing::Values(CloseCase{"DefaultsWithASystemWallpaper", kSystemWallpaper, nullptr, nullptr, false,
                                Written("0", "1", "1", "", "1", "0", "1")},
                      CloseCase{"OddValuesThenTheStartUpOptionsAndAMissingBmp", nullptr, StoreOddValues,
                                ChooseStartUpOptionsAndAMissingBmp, false,
                                Written("1", "0", "4", "C:\\ソ\\x.bmp", "0", "2", "1")},
                      CloseCase{"OwnSettingsClosedByTheSystem", kSystemWallpaper, StoreOwnSettings,
                                StaysHidden, true,
                                Written("0", "0", "6", "C:\\pictures\\test.bmp", "0", "0", "0")}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(CoverTest, WithABoxUpTheKeyIsDroppedAndTheSessionsEndWritesWhatTheCloseWritesAndTakesTheIconOut) {
    StoreOwnSettings();
    TOBSCURIO32VANTE& c = CreateStarted();
    HWND wnd = c.Handle();
    // Taken away while the cover ran; what the close writes is CoverClose's.
    registry::DeleteValue(HKEY_CURRENT_USER, obsc32::ProductKey, "mode");
    DWORD_PTR query = FALSE, end = 1;
    bool answered = false;
    std::thread session([&] {
        HWND box = nullptr;
        WaitUntil([&] {
            return box = testing_common::VisibleWindowOf(testing_common::kProgramBox, GetCurrentProcessId());
        });
        answered =
            box &&
            SendMessageTimeoutA(wnd, WM_HOTKEY, obsc32::CoverHotKey::kId, 0, SMTO_NORMAL, 2000, &end) &&
            SendMessageTimeoutA(wnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 2000, &query) &&
            SendMessageTimeoutA(wnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 2000, &end);
        PostMessageA(box, WM_CLOSE, 0, 0);
    });
    // A box no command holds the key off for, as a failing face shows.
    c.Boxes.Tell("箱");
    session.join();
    EXPECT_TRUE(answered) << "the session's end waited for the box";
    EXPECT_FALSE(IsWindowVisible(wnd)) << "the key, pressed while the box was up, showed the cover";
    EXPECT_EQ(query, static_cast<DWORD_PTR>(TRUE));
    EXPECT_FALSE(InTray(wnd));
    EXPECT_EQ(ReadProductValue("mode"), "0");
}

namespace {
// The maker key made volatile: the product key cannot be created below it, so no setting can be written.
void MakeSettingsUnwritable() {
    DeleteProductKeys();
    ASSERT_TRUE(testing_common::registry::CreateVolatileKey(HKEY_CURRENT_USER, obsc32::MakerKey));
}

const std::string kSaveFailed =
    "設定の保存に失敗しました・・・\r\nレジストリーを開けません・・・\r\nHKEY_CURRENT_USER\\Software\\VANTE "
    "SOFT32\\OBSC32";
}  // namespace

TEST_F(CoverTest, AFailedSettingsWriteIsReportedAndTheProgramStillCloses) {
    TOBSCURIO32VANTE& c = CreateStarted();
    ASSERT_NO_FATAL_FAILURE(MakeSettingsUnwritable());
    HWND wnd = c.Handle();
    BoxWatcher boxes;
    c.Menus.PX.Click();
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kSaveFailed});
}

TEST_F(CoverTest, ACloseDuringAnotherCloseIsRefused) {
    TOBSCURIO32VANTE& c = CreateStarted();
    ASSERT_NO_FATAL_FAILURE(MakeSettingsUnwritable());
    HWND wnd = c.Handle();
    // While the first close shows its failure, a second close comes in; once it has been handled, the box
    // is answered.
    struct Seen {
        std::string text;
        bool handled = false, windowLeft = false, sameBox = false, secondBox = false;
    } seen;
    std::thread closer([&] {
        HWND box = nullptr;
        if (!WaitUntil([&] {
                return (box = testing_common::VisibleWindowOf(testing_common::kProgramBox,
                                                              GetCurrentProcessId()));
            }))
            return;
        seen.text = testing_common::BoxText(box);
        DWORD_PTR result;
        seen.handled = SendMessageTimeoutA(wnd, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
        seen.windowLeft = IsWindow(wnd);
        seen.sameBox =
            testing_common::VisibleWindowOf(testing_common::kProgramBox, GetCurrentProcessId()) == box;
        PostMessageA(box, WM_CLOSE, 0, 0);
        seen.secondBox = WaitUntil(
            [&] {
                HWND now =
                    testing_common::VisibleWindowOf(testing_common::kProgramBox, GetCurrentProcessId());
                return now && now != box;
            },
            500);
    });
    c.Menus.PX.Click();
    closer.join();
    EXPECT_EQ(seen.text, kSaveFailed);
    EXPECT_TRUE(seen.handled) << "the second close did not return while the first one's box was up";
    EXPECT_TRUE(seen.windowLeft) << "the second close took the window away";
    EXPECT_TRUE(seen.sameBox) << "the second close showed a box of its own";
    EXPECT_FALSE(seen.secondBox);
    // The first close went on to the end.
    EXPECT_FALSE(IsWindow(wnd));
}
