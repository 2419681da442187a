#include <algorithm>
#include <thread>

#include <gtest/gtest.h>

#include "cover/TOBSCURIO32VANTE.hpp"
#include "settings/product.hpp"
#include "ui/application.hpp"
#include "wine/cover_fixture.hpp"

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
    bool AllBlack() {
        const POINT points[] = {{0, 0}, {512, 384}, {1023, 0}, {5, 760}, {1020, 760}, {300, 700}};
        return std::all_of(std::begin(points), std::end(points),
                           [](POINT p) { return ScreenPixel(p.x, p.y) == RGB(0, 0, 0); });
    }
};

}  // namespace

TEST_F(CoverTest, WithNoSettingsStartsHiddenWithDefaultMenuState) {
    DeleteProductKeys();
    TOBSCURIO32VANTE& c = Create();
    HWND wnd = FindWindowA("TOBSCURIO32VANTE", nullptr);
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
        char buf[MAX_PATH] = {};
        DWORD size = sizeof buf;
        RegGetValueA(HKEY_CURRENT_USER,
                     "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name,
                     RRF_RT_REG_SZ, nullptr, buf, &size);
        return std::string(buf);
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

TEST_F(CoverTest, AutoStartOnTopCoversTheWholeScreenInBlack) {
    SetProductValue("AUTO", "1");
    SetProductValue("UE", "1");
    SetProductValue("MUE", "0");  // "on top at start-up" wins over the stored bottom choice
    TOBSCURIO32VANTE& c = Create();
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(c.Handle()); }, 2000));
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(c.Handle()) && GetForegroundWindow() == c.Handle(); }));
    EXPECT_FALSE(c.Model.Bottom());
    EXPECT_TRUE(c.Model.Shown());
    EXPECT_TRUE(WaitUntil([&] { return AllBlack(); }));
}

TEST_F(CoverTest, AutoStartAtBottomLeavesOtherWindowsAboveAndTheFocusAlone) {
    SetProductValue("AUTO", "1");
    SetProductValue("UE", "0");
    TOBSCURIO32VANTE& c = Create();
    // A window the user opens while the cover waits for its start-up timer.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(c.Handle()); }, 2000));
    EXPECT_TRUE(WaitUntilSteady([&] { return !IsTopmost(c.Handle()) && IsAtBottom(c.Handle()); }, 200));
    EXPECT_EQ(GetForegroundWindow(), other);
    EXPECT_TRUE(c.Model.Bottom());
    // The other window is still seen; the desktop around it is black.
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(250, 200) != RGB(0, 0, 0); }));
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(700, 300) == RGB(0, 0, 0); }));
    DestroyWindow(other);
}

TEST_F(CoverTest, AutoStartWithAnUnknownFaceStillChoosesTheBottomForTheNextFace) {
    SetProductValue("AUTO", "1");
    SetProductValue("UE", "0");
    SetProductValue("mode", "5");
    TOBSCURIO32VANTE& c = Create();
    ASSERT_TRUE(WaitUntil([&] { return !c.Timer1.Enabled(); }));
    // The unknown face shows nothing ...
    EXPECT_TRUE(HoldsFor([&] { return !IsWindowVisible(c.Handle()); }, 300));
    // ... but the start-up choice of the bottom stands for the face chosen next.
    c.Menus.PKURO.Click();
    ASSERT_TRUE(WaitUntilSteady([&] { return IsWindowVisible(c.Handle()); }, 100));
    EXPECT_FALSE(IsTopmost(c.Handle()));
    EXPECT_TRUE(IsAtBottom(c.Handle()));
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

TEST_F(CoverTest, StartOptionsToggleAndTheSecondFollowsTheFirst) {
    TOBSCURIO32VANTE& c = CreateStarted();
    c.PS0Click(&c.Menus.PS0);
    EXPECT_TRUE(c.Model.AutoStart());
    c.PS0Click(&c.Menus.PS1);
    EXPECT_FALSE(c.Model.StartOnTop());
    c.PS0Click(&c.Menus.PS0);
    EXPECT_FALSE(c.Model.AutoStart());
    EXPECT_FALSE(c.Model.StartOnTop());  // kept while disabled
}

TEST_F(CoverTest, ClosingWritesTheSevenSettingsAndTheKeyAsStrings) {
    SetProductValue("ICHI", "9");
    SetProductDword("AUTO", 1);
    SetProductValue("BMPFile", "C:\\\x83\x5C\\x.bmp");
    TOBSCURIO32VANTE& c = CreateStarted();
    EXPECT_FALSE(c.Model.AutoStart());
    EXPECT_EQ(c.Faces.Position(), obsc32::WallpaperPosition::Tile);
    {
        // The BMP file is not there: the face and position stay chosen, and its notice is answered.
        BoxWatcher notice;
        c.PKG0Click(&c.Menus.PKG4);
        EXPECT_EQ(notice.Count(), 1);
    }
    c.PS0Click(&c.Menus.PS0);
    // The prefix has no system wallpaper, so the wallpaper source is the BMP file.
    EXPECT_FALSE(c.Faces.SystemWallpaperSource());
    ASSERT_TRUE(Quit());
    auto names = ProductValueNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"AUTO", "BMPFile", "HotKey", "ICHI", "Kabe", "MUE", "UE",
                                               "Version", "mode"}));
    const std::pair<const char*, const char*> expected[] = {
        {"AUTO", "1"}, {"UE", "1"},   {"ICHI", "4"}, {"BMPFile", "C:\\\x83\x5C\\x.bmp"},
        {"Kabe", "0"}, {"mode", "2"}, {"MUE", "1"},  {"HotKey", "Ctrl+Alt+B"}};
    for (auto [name, text] : expected) {
        DWORD type;
        EXPECT_EQ(ReadProductValue(name, &type), text) << name;
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << name;
    }
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
