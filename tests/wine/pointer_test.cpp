// The pointer over a shown cover: gone after a rest, back at the first movement, clicks still work.
#include "wine/cover_fixture.hpp"

namespace testing_wine {
namespace {

namespace input = testing_common::input;
using CoverPointer = CoverFixture;

bool PointerShown() { return GetCursor() != nullptr; }

TEST_F(CoverPointer, GoesAfterARestComesBackWhenMovedAndClicksStillReachTheCover) {
    auto& c = CreateStarted();
    ASSERT_TRUE(input::MoveTo({10, 10}));
    c.PKUROClick(&c.Menus.PKURO);
    const DWORD shown = GetTickCount();
    ASSERT_TRUE(WaitUntil([] { return !PointerShown(); }, 5000)) << "the pointer stays over the cover";
    EXPECT_GE(GetTickCount() - shown, 1900u) << "gone before a rest";
    ASSERT_TRUE(input::MoveTo({12, 12}));
    EXPECT_TRUE(WaitUntil(PointerShown)) << "a movement does not bring it back";
    ASSERT_TRUE(WaitUntil([] { return !PointerShown(); }, 5000));
    // Where it rests, unseen, the corner's right click still hides the cover, and the pointer is back.
    input::PressAt({12, 12}, true);
    input::ReleaseAt({12, 12}, true);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(c.Handle()); }));
    EXPECT_TRUE(PointerShown());
}

}  // namespace
}  // namespace testing_wine
