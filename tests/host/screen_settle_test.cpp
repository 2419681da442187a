#include "cover/screen_settle.hpp"

#include <gtest/gtest.h>

using namespace obsc32;
using namespace obsc32::screen_notice;

namespace {

ScreenShape Shape(int w, int h, int depth = 32) {
    const ScreenRect r{0, 0, w, h};
    return {{r, r, {r}}, depth};
}

}  // namespace

TEST(ScreenSettle, DisplayChangesResumeAndSessionReturnsRereadTheScreenOtherNoticesDoNot) {
    EXPECT_TRUE(ScreenSettle::Rereads(kDisplayChange, 0));
    for (auto resume : {kResumeAutomatic, kResumeSuspend, kResumeCritical})
        EXPECT_TRUE(ScreenSettle::Rereads(kPowerBroadcast, resume));
    for (auto back : {kSessionUnlock, kRemoteConnect, kConsoleConnect})
        EXPECT_TRUE(ScreenSettle::Rereads(kSessionChange, back));
    // Suspending, a power change, the session locked or left, and any other message.
    for (std::uintptr_t other : {0x4, 0xA, 0x8013})
        EXPECT_FALSE(ScreenSettle::Rereads(kPowerBroadcast, other)) << other;
    for (std::uintptr_t other : {0x2, 0x4, 0x7})
        EXPECT_FALSE(ScreenSettle::Rereads(kSessionChange, other)) << other;
    EXPECT_FALSE(ScreenSettle::Rereads(0x0005, kSessionUnlock));
}

TEST(ScreenSettle, ABurstMakesThePictureOnceAfterItsLastChange) {
    ScreenSettle s;
    s.Start(Shape(1024, 768));
    // The same screen read again (a resume that changed nothing) waits for nothing and makes nothing.
    EXPECT_FALSE(s.Read(Shape(1024, 768)));
    EXPECT_FALSE(s.Settled());
    // Each change of a burst starts the wait again, also one that returns where it began.
    EXPECT_TRUE(s.Read(Shape(800, 600)));
    EXPECT_TRUE(s.Read(Shape(800, 600, 16)));
    EXPECT_TRUE(s.Read(Shape(1024, 768)));
    EXPECT_EQ(s.Now(), Shape(1024, 768));
    EXPECT_TRUE(s.Settled());
    EXPECT_FALSE(s.Settled());
    EXPECT_FALSE(s.Read(Shape(1024, 768)));
}
