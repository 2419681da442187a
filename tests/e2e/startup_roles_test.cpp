// Which role a start plays, judged by the windows the person gets and by whether the process stays.
#include <functional>

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

struct SetupCase {
    const char* name;
    std::function<void()> prepare;
};
void PrintTo(const SetupCase& c, std::ostream* os) { *os << c.name; }

class StartupSetupRoles : public E2eTest, public ::testing::WithParamInterface<SetupCase> {};

TEST_P(StartupSetupRoles, OpenTheSetupWindow) {
    GetParam().prepare();
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
}

INSTANTIATE_TEST_SUITE_P(
    StoredVersion, StartupSetupRoles,
    ::testing::Values(SetupCase{"NoKey", [] {}},
                      SetupCase{"NoVersionValue", [] { registry::CreateProductKey(); }},
                      SetupCase{"Version11", [] { registry::SetString("Version", "11"); }},
                      SetupCase{"Version13", [] { registry::SetString("Version", "13"); }},
                      SetupCase{"EmptyVersion", [] { registry::SetString("Version", ""); }},
                      SetupCase{"VersionNotANumber", [] { registry::SetString("Version", "x"); }},
                      SetupCase{"VersionAsDword12", [] { registry::SetDword("Version", 12); }}),
    [](const ::testing::TestParamInfo<SetupCase>& info) { return std::string(info.param.name); });

TEST_F(StartupRoles, UpperCaseUninstallArgumentIsANormalStart) {
    registry::SetString("Version", "12");
    Program program("/UNINSTALL");
    ASSERT_NE(WaitForReadyCover(program), nullptr) << "no cover window with its tray icon";
    EXPECT_TRUE(HoldsFor([&] { return program.Running() && program.VisibleWindows().empty(); }, 1000));
    EXPECT_EQ(program.Window(kSetupClass), nullptr);
}

TEST_F(StartupRoles, UninstallArgumentRunsHiddenAndEndsByItself) {
    // With version 12 a normal start would give a lasting cover; the uninstall run must not.
    registry::SetString("Version", "12");
    Program program("/uninstall");
    Program::Watch watch = program.WatchUntilExit();
    ASSERT_TRUE(watch.exited) << "the uninstall run did not end by itself";
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_TRUE(watch.visibleClasses.empty())
        << "it showed a window of class " << *watch.visibleClasses.begin();
    EXPECT_EQ(watch.classes.count(kCoverClass), 0u) << "it created a cover";
}

TEST_F(StartupRoles, UninstallerNamedCopyRunsStageTwoAndEndsByItself) {
    registry::SetString("Version", "12");
    Program program("", "UNIN_VANTE000.EXE");
    Program::Watch watch = program.WatchUntilExit();
    ASSERT_TRUE(watch.exited) << "stage 2 did not end by itself";
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_TRUE(watch.visibleClasses.empty())
        << "it showed a window of class " << *watch.visibleClasses.begin();
    EXPECT_EQ(watch.classes.count(kCoverClass), 0u) << "it created a cover";
}

TEST_F(StartupRoles, UninstallerNamedCopyDoesNotTalkToARunningCover) {
    registry::SetString("Version", "12");
    Program cover;
    HWND coverWindow = cover.WaitForWindow(kCoverClass);
    ASSERT_NE(coverWindow, nullptr);
    // A frozen cover answers nobody: a start that asked it anything would never end.
    cover.SuspendUiThread();
    Program stage2("", "UNIN_VANTE000.EXE");
    Program::Watch watch = stage2.WatchUntilExit();
    cover.ResumeUiThread();
    ASSERT_TRUE(watch.exited) << "stage 2 waited for the running cover";
    EXPECT_EQ(stage2.ExitCode(), 0u);
    EXPECT_EQ(watch.classes.count(kCoverClass), 0u) << "it created a cover";
    EXPECT_TRUE(cover.Running());
    EXPECT_EQ(WindowsOf(0, kCoverClass), std::vector<HWND>{coverWindow});
}

}  // namespace
}  // namespace e2e
