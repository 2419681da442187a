// One cover at a time: a later start hands over to the running cover, which says so, or ends silently.
#include <algorithm>
#include <set>

#include "e2e/fixture.hpp"

namespace e2e {
namespace {

const std::string kTitle = "真っ黒すみかげ";
const std::string kAlreadyRunning = "vaz       すみかげ\r\nは、既に常駐しています☆☆☆";

std::string WithoutTrailingLineBreaks(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

struct Arguments {
    const char* name;
    std::string text;
};
void PrintTo(const Arguments& a, std::ostream* os) { *os << a.name; }

class SecondStart : public E2eTest, public ::testing::WithParamInterface<Arguments> {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        registry::SetString("Version", "12");
        first_ = std::make_unique<Program>();
        cover_ = WaitForReadyCover(*first_);
        ASSERT_NE(cover_, nullptr) << "the first cover did not get ready";
    }
    void TearDown() override {
        first_.reset();
        E2eTest::TearDown();
    }

    // The notice, a box of the running cover; null unless exactly one is shown.
    HWND WaitForNotice() const {
        WaitUntil([&] { return !WindowsOf(first_->Pid(), kBoxClass, true).empty(); });
        std::vector<HWND> boxes = WindowsOf(0, kBoxClass, true);
        return boxes.size() == 1 && ProcessOf(boxes.front()) == first_->Pid() ? boxes.front() : nullptr;
    }

    void ExpectTheFirstCoverAlone() const {
        EXPECT_TRUE(first_->Running());
        EXPECT_EQ(WindowsOf(0, kCoverClass), std::vector<HWND>{cover_});
        EXPECT_TRUE(Answers(cover_));
        EXPECT_FALSE(IsWindowVisible(cover_));
    }

    std::unique_ptr<Program> first_;
    HWND cover_ = nullptr;
};

TEST_P(SecondStart, ShowsTheNoticeInTheRunningCoverAndEndsOnceItIsAnswered) {
    Program second(GetParam().text);
    HWND box = WaitForNotice();
    ASSERT_NE(box, nullptr) << "not exactly one notice in the running cover";
    EXPECT_EQ(TextOf(box), kTitle);
    std::vector<HWND> memo = ChildrenOf(box, "Edit");
    ASSERT_EQ(memo.size(), 1u);
    EXPECT_EQ(WithoutTrailingLineBreaks(TextOf(memo.front())), kAlreadyRunning);
    // The second start waits for the answer, and has no window of its own.
    EXPECT_TRUE(HoldsFor(
        [&] {
            return second.Running() && IsWindowVisible(box) && second.VisibleWindows().empty() &&
                   !second.Window(kCoverClass) && !second.Window(kSetupClass);
        },
        500));

    HWND ok = ChildWithText(box, "TColorBtn", "ＯＫ");
    ASSERT_NE(ok, nullptr) << "no OK button";
    input::Click(CenterOf(ok));
    ASSERT_TRUE(second.WaitForExit()) << "the second start did not end after the answer";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_TRUE(WindowsOf(0, kBoxClass, true).empty());
    ExpectTheFirstCoverAlone();
}

// Over-long: more than a global atom can hold.
INSTANTIATE_TEST_SUITE_P(WithArguments, SecondStart,
                         ::testing::Values(Arguments{"None", ""},
                                           Arguments{"Several", "a b \"c d\" e?f /uninstall"},
                                           Arguments{"Over255Chars", std::string(300, 'a')}),
                         [](const ::testing::TestParamInfo<Arguments>& info) {
                             return std::string(info.param.name);
                         });

using SecondStartLeftAlone = SecondStart;

TEST_F(SecondStartLeftAlone, TheNoticeClosesByItselfAfterItsCountdownAndTheSecondStartEnds) {
    Program second;
    HWND box = WaitForNotice();
    ASSERT_NE(box, nullptr) << "not exactly one notice in the running cover";
    // A ten-second countdown, shown in seconds.
    std::set<std::string> shown;
    EXPECT_TRUE(HoldsFor(
        [&] {
            for (HWND label : ChildrenOf(box, "TLabel"))
                if (IsWindowVisible(label)) shown.insert(TextOf(label));
            return second.Running() && IsWindowVisible(box);
        },
        7000))
        << "closed too early";
    EXPECT_EQ(shown.count("9秒"), 1u);
    EXPECT_EQ(shown.count("3秒"), 1u);
    ASSERT_TRUE(second.WaitForExit(6000)) << "the notice did not close by itself";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_FALSE(IsWindow(box));
    ExpectTheFirstCoverAlone();
}

using SingleInstance = E2eTest;

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
    EXPECT_TRUE(WindowsOf(0, kBoxClass, true).empty());
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindowVisible(setup));
}

// Started together, as a double click does: one main window of each kind; the others end, the cover told.
TEST_F(SingleInstance, StartsAtTheSameMomentGiveOneSetupWindowOrOneCover) {
    std::vector<std::unique_ptr<Program>> starts;
    auto oneLeft = [&] {
        return std::count_if(starts.begin(), starts.end(), [](const auto& p) { return p->Running(); }) == 1;
    };
    for (int i = 0; i < 4; ++i) starts.push_back(std::make_unique<Program>());
    EXPECT_TRUE(WaitUntil(oneLeft)) << "not one start alone went on";
    EXPECT_EQ(WindowsOf(0, kSetupClass).size(), 1u);
    starts.clear();
    registry::SetString("Version", "12");
    for (int i = 0; i < 4; ++i) starts.push_back(std::make_unique<Program>());
    // Each later start waits for its notice; one coming meanwhile takes the click, the other waits a round.
    int notices = 0;
    EXPECT_TRUE(WaitUntil([&] {
        for (HWND box : WindowsOf(0, kBoxClass, true)) {
            if (!IsWindowEnabled(box)) continue;
            testing_common::input::PostClick(ChildWithText(box, "TColorBtn", "ＯＫ"));
            notices += WaitUntil([&] { return !IsWindowVisible(box); }, 300);
        }
        return oneLeft();
    })) << "the later starts did not end";
    EXPECT_EQ(notices, 3);
    EXPECT_EQ(WindowsOf(0, kCoverClass).size(), 1u);
}

}  // namespace
}  // namespace e2e
