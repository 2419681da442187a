// Which role a start plays, judged by the windows the person gets and by whether the process stays.
#include "e2e/fixture.hpp"

namespace e2e {
namespace {

const std::string kSetupCaption = "真っ黒すみかげ V1.2 登録";
const RECT kScreen{0, 0, 1024, 768};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

using StartupRoles = E2eTest;

TEST_F(StartupRoles, Version12StartsTheCoverHiddenAndItStays) {
    registry::SetString("Version", "12");
    Program program;
    // What the person gets is an icon in the tray, and no window.
    HWND cover = WaitForReadyCover(program);
    ASSERT_NE(cover, nullptr) << "no cover window with its tray icon";
    EXPECT_TRUE(SameRect(RectOf(cover), kScreen)) << "the cover is not screen-sized";
    // Past the 300 ms start-up timer: with no "AUTO" nothing may show, and the cover keeps running.
    EXPECT_TRUE(HoldsFor([&] { return program.Running() && program.VisibleWindows().empty(); }, 1500))
        << "the cover showed a window or ended";
    EXPECT_EQ(program.Window(kSetupClass), nullptr);
    EXPECT_TRUE(program.Running());
}

// Any stored version but 12 (none, another, not a number: StoredVersion's native test) means an install.
TEST_F(StartupRoles, AnOlderStoredVersionOpensTheSetupWindow) {
    registry::SetString("Version", "11");
    Program program;
    HWND setup = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        setup = program.Window(kSetupClass);
        return setup && IsWindowVisible(setup);
    })) << "no visible setup window";
    EXPECT_EQ(TextOf(setup), kSetupCaption);
    EXPECT_EQ(program.Window(kCoverClass), nullptr);
    EXPECT_TRUE(HoldsFor([&] { return program.Running() && IsWindowVisible(setup); }, 500))
        << "the setup window did not stay";
    // Its fields take typed text, Japanese too.
    EXPECT_NE(program.Window("IME"), nullptr) << "the setup window has no input method";
}

TEST_F(StartupRoles, UpperCaseUninstallArgumentIsANormalStart) {
    registry::SetString("Version", "12");
    Program program("/UNINSTALL");
    ASSERT_NE(WaitForReadyCover(program), nullptr) << "no cover window with its tray icon";
    EXPECT_TRUE(HoldsFor([&] { return program.Running() && program.VisibleWindows().empty(); }, 1000));
    EXPECT_EQ(program.Window(kSetupClass), nullptr);
}

TEST_F(StartupRoles, UninstallArgumentAsksFirstAndADeclineChangesNothing) {
    // With version 12 a normal start would give a lasting cover; the uninstall run asks instead.
    registry::SetString("Version", "12");
    Program program("/uninstall");
    HWND question = WaitForBoxWithText(
        program.Pid(), "VANTE vaz       すみかげ V1.2\r\nを、ｱﾝｲﾝｽﾂｰﾙしてよろしいですか？？？");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(program.VisibleWindows(), std::vector<HWND>{question});
    ASSERT_TRUE(ClickBoxButton(question, "いいえ"));
    HWND cancelled = WaitForBoxWithText(program.Pid(), "ｱﾝｲﾝｽﾂｰﾙを中止しました。");
    ASSERT_NE(cancelled, nullptr);
    ASSERT_TRUE(ClickBoxButton(cancelled, "ＯＫ"));
    Program::Watch watch = program.WatchUntilExit();
    ASSERT_TRUE(watch.exited) << "the uninstall run did not end";
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(watch.classes.count(kCoverClass), 0u) << "it created a cover";
    EXPECT_EQ(registry::ReadAll()["Version"], registry::Sz("12"));
}

// The copy in the Windows folder started by hand has no hand-over.
const std::string kParameterError =
    "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ﾊﾟﾗﾒｰﾀｰが不正です・・・\r\n[VANTE SOFT32]専用のｱﾝｲﾝｽﾂｰﾙｿﾌﾄです。";

TEST_F(StartupRoles, UninstallerNamedCopyStartedByHandReportsTheParameterErrorAndEnds) {
    registry::SetString("Version", "12");
    Program program("", "UNIN_VANTE000.EXE");
    HWND box = WaitForBoxWithText(program.Pid(), kParameterError);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), "UNINSTALL_VANTE000");
    ASSERT_TRUE(ClickBoxButton(box, "ＯＫ"));
    Program::Watch watch = program.WatchUntilExit();
    ASSERT_TRUE(watch.exited) << "stage 2 did not end";
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(watch.classes.count(kCoverClass), 0u) << "it created a cover";
    EXPECT_EQ(registry::ReadAll()["Version"], registry::Sz("12"));
}

TEST_F(StartupRoles, UninstallerNamedCopyDoesNotTalkToARunningCover) {
    registry::SetString("Version", "12");
    Program cover;
    HWND coverWindow = cover.WaitForWindow(kCoverClass);
    ASSERT_NE(coverWindow, nullptr);
    // A frozen cover answers nobody: a start that asked it anything would never get to its box.
    cover.Suspend();
    Program stage2("", "UNIN_VANTE000.EXE");
    HWND box = WaitForBoxWithText(stage2.Pid(), kParameterError);
    const bool answered = box && ClickBoxButton(box, "ＯＫ");
    Program::Watch watch = stage2.WatchUntilExit();
    cover.Resume();
    ASSERT_TRUE(answered) << "stage 2 waited for the running cover";
    ASSERT_TRUE(watch.exited);
    EXPECT_EQ(watch.classes.count(kCoverClass), 0u) << "it created a cover";
    EXPECT_TRUE(cover.Running());
    EXPECT_EQ(WindowsOf(0, kCoverClass), std::vector<HWND>{coverWindow});
}

}  // namespace
}  // namespace e2e
