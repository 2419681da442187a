// One cover at a time: later starts hand over to the running window, or end silently.
#include "e2e/fixture.hpp"

namespace e2e {
namespace {

using SingleInstance = E2eTest;

// The running cover still answers its messages.
bool Answers(HWND wnd) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

struct Arguments {
    const char* name;
    std::string text;
};

class SecondStart : public E2eTest, public ::testing::WithParamInterface<Arguments> {};

TEST_P(SecondStart, EndsAndLeavesTheFirstCoverRunning) {
    registry::SetString("Version", "12");
    Program first;
    HWND cover = first.WaitForWindow(kCoverClass);
    ASSERT_NE(cover, nullptr);

    Program second(GetParam().text);
    Program::Watch watch = second.WatchUntilExit();
    ASSERT_TRUE(watch.exited) << "the second start did not end";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(watch.visibleClasses.empty()) << "the second start showed a window";
    EXPECT_EQ(watch.classes.count(kCoverClass), 0u) << "the second start created a cover";

    EXPECT_TRUE(first.Running());
    EXPECT_EQ(WindowsOf(0, kCoverClass), std::vector<HWND>{cover});
    EXPECT_TRUE(Answers(cover));
    EXPECT_FALSE(IsWindowVisible(cover));
}

// Over-long: more than a global atom can hold.
INSTANTIATE_TEST_SUITE_P(WithArguments, SecondStart,
                         ::testing::Values(Arguments{"None", ""}, Arguments{"One", "one"},
                                           Arguments{"Several", "a b \"c d\" e?f /uninstall"},
                                           Arguments{"Over255Chars", std::string(300, 'a')},
                                           Arguments{"UpperCaseUninstall", "/UNINSTALL"}),
                         [](const ::testing::TestParamInfo<Arguments>& info) { return std::string(info.param.name); });

TEST_F(SingleInstance, StartWhileOnlyTheSetupWindowIsOpenEndsSilently) {
    Program first;
    HWND setup = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (setup = first.Window(kSetupClass)) && IsWindowVisible(setup); }));

    Program second;
    Program::Watch watch = second.WatchUntilExit();
    ASSERT_TRUE(watch.exited) << "the second start did not end";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(watch.visibleClasses.empty()) << "the second start showed a window";
    EXPECT_EQ(WindowsOf(0, kSetupClass), std::vector<HWND>{setup});
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindowVisible(setup));
}

TEST_F(SingleInstance, UninstallWhileTheCoverRunsEndsAndLeavesTheCover) {
    registry::SetString("Version", "12");
    Program cover;
    HWND coverWindow = cover.WaitForWindow(kCoverClass);
    ASSERT_NE(coverWindow, nullptr);

    Program uninstall("/uninstall");
    Program::Watch watch = uninstall.WatchUntilExit();
    ASSERT_TRUE(watch.exited) << "the refused uninstall did not end";
    EXPECT_EQ(uninstall.ExitCode(), 0u);
    EXPECT_EQ(watch.classes.count(kCoverClass), 0u);

    EXPECT_TRUE(cover.Running());
    EXPECT_EQ(WindowsOf(0, kCoverClass), std::vector<HWND>{coverWindow});
    EXPECT_TRUE(Answers(coverWindow));
    // Uninstall stage 1 would delete "Version"; a refused one leaves it.
    EXPECT_EQ(registry::ReadAll()["Version"], registry::Sz("12"));
}

}  // namespace
}  // namespace e2e
