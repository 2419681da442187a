// Commands chosen from the tray menus with the keyboard, and the mouse on the shown cover.
#include <map>
#include <vector>

#include "e2e/fixture.hpp"

namespace e2e {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr POINT kTaskbar{5, 760};

using Values = std::map<std::string, registry::Value>;

class MenuCommands : public CoverTest {
protected:
    void SetUp() override {
        CoverTest::SetUp();
        registry::SetString("Version", "12");
    }
};

TEST_F(MenuCommands, ShortMenuFirstItemCoversOnTopAndACornerRightClickTakesItAway) {
    ASSERT_NO_FATAL_FAILURE(StartCover());
    ASSERT_NO_FATAL_FAILURE(ChooseWithKeys(WM_LBUTTONDOWN, VK_DOWN, 1));  // "一番上、vaz"

    ASSERT_TRUE(WaitUntil([&] { return ShownOnTop(); })) << "the cover did not show on top";
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == cover_; }))
        << "the cover is not in the foreground";
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(kTaskbar.x, kTaskbar.y) == kBlack; }))
        << "the taskbar is not covered";
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(512, 384) == kBlack; }));

    // The hot corner's bounds are CoverTest.RightClickInTheTopLeftCornerHidesOnlyInsideTwentyPixels'.
    input::Click({19, 19}, true);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(cover_); }))
        << "the corner right click did not hide it";
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(kTaskbar.x, kTaskbar.y) != kBlack; }))
        << "the taskbar did not come back";
    EXPECT_TRUE(program_->Running());

    // Taken away, not ended: the same item shows it again.
    ASSERT_NO_FATAL_FAILURE(ChooseWithKeys(WM_LBUTTONDOWN, VK_DOWN, 1));
    EXPECT_TRUE(WaitUntil([&] { return ShownOnTop(); })) << "the cover did not show again";
}

// Full menu entries by position, separators skipped: 1 "vaz", 5 "一番下に、置く", 6 "元に戻す",
// 12 "自動立ち上げ", 13 "立ち上げ時、一番上にする。"; from the end, 1 "このメニューを閉じる", 2 "終了する".
TEST_F(MenuCommands, BottomRestoreAndTopPlacementsFollowTheMenusAndTheLastOneIsKept) {
    ASSERT_NO_FATAL_FAILURE(StartCover());
    ASSERT_NO_FATAL_FAILURE(ChooseWithKeys(WM_RBUTTONDOWN, VK_DOWN, 5));
    // Settled, as a person would see it before the next step.
    EXPECT_TRUE(WaitUntilSteady([&] { return ShownAtTheBottom(); }, 300)) << "not shown at the bottom";
    ASSERT_NO_FATAL_FAILURE(ChooseWithKeys(WM_RBUTTONDOWN, VK_DOWN, 6));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(cover_); })) << "restore did not hide it";
    // The black face shows it again where the last placement put it.
    ASSERT_NO_FATAL_FAILURE(ChooseWithKeys(WM_RBUTTONDOWN, VK_DOWN, 1));
    EXPECT_TRUE(WaitUntilSteady([&] { return ShownAtTheBottom(); }, 300)) << "not shown at the bottom again";
    // The short menu always puts it on top, and that becomes the choice the next start reads.
    ASSERT_NO_FATAL_FAILURE(ChooseWithKeys(WM_LBUTTONDOWN, VK_DOWN, 1));
    EXPECT_TRUE(WaitUntil([&] { return ShownOnTop(); })) << "not shown on top";
    ASSERT_NO_FATAL_FAILURE(ChooseWithKeys(WM_RBUTTONDOWN, VK_UP, 2));
    ASSERT_TRUE(program_->WaitForExit()) << "the program did not end";
    EXPECT_EQ(registry::ReadAll()["MUE"], registry::Sz("1"));
}

// The short menu's first item, chosen while a bottom placement is still being carried out, must still end
// with the cover on top, as its check marks then say.
TEST_F(MenuCommands, TopChosenWhileABottomPlacementIsUnderWayEndsOnTop) {
    ASSERT_NO_FATAL_FAILURE(StartCover());
    ASSERT_NE(OpenMenuForKeys(WM_RBUTTONDOWN), nullptr);
    input::MoveTo(kOffMenuPoint);
    for (int i = 0; i < 5; ++i) input::Key(VK_DOWN);  // "一番下に、置く"
    input::Key(VK_RETURN);
    // The tray click comes the moment the cover shows, while the placement command has not yet returned.
    const DWORD start = GetTickCount();
    while (!IsWindowVisible(cover_) && GetTickCount() - start < kDeadline) {}
    ASSERT_TRUE(IsWindowVisible(cover_)) << "the bottom placement did not show the cover";
    PostMessageA(cover_, kTrayMessage, 0, WM_LBUTTONDOWN);
    // It opens at the pointer, which it leaves outside.
    ASSERT_NE(WaitForOneMenu(), nullptr) << "the short menu did not open";
    input::Key(VK_DOWN);  // "一番上、vaz"
    input::Key(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return Menus().empty(); }));
    EXPECT_TRUE(WaitUntilSteady([&] { return ShownOnTop(); }, 300))
        << "chosen on top, but the cover is " << (IsTopmost(cover_) ? "on top" : "not on top")
        << (VisibleWindowsBelow(cover_).empty() ? ", at the bottom" : "");
}

TEST_F(MenuCommands, CloseItemsOnlyCloseTheMenus) {
    ASSERT_NO_FATAL_FAILURE(StartCover());
    // Up from no selection wraps to the last item, "このメニューを閉じる", in both menus.
    ASSERT_NO_FATAL_FAILURE(ChooseWithKeys(WM_RBUTTONDOWN, VK_UP, 1));
    ASSERT_NO_FATAL_FAILURE(ChooseWithKeys(WM_LBUTTONDOWN, VK_UP, 1));
    EXPECT_TRUE(HoldsFor([&] { return program_->Running() && !IsWindowVisible(cover_); }, 500));
    // Settings are written only when the cover ends.
    EXPECT_EQ(registry::ReadAll(), (Values{{"Version", registry::Sz("12")}}));
}

// The settings a close writes are CoverClose.WritesTheSevenSettingsAndTheKeyAsStrings'; the exit code is the
// program's process's alone.
TEST_F(MenuCommands, QuitFromTheFullMenuEndsTheProgramAndRemovesTheIcon) {
    ASSERT_NO_FATAL_FAILURE(StartCover());
    // "終了する" is just above the last item, with a separator between them.
    ASSERT_NO_FATAL_FAILURE(ChooseWithKeys(WM_RBUTTONDOWN, VK_UP, 2));
    ASSERT_TRUE(program_->WaitForExit()) << "the program did not end";
    EXPECT_EQ(program_->ExitCode(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return TrayLooksAsBefore(); })) << "the tray icon is still there";
}

}  // namespace
}  // namespace e2e
