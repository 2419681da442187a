#include "cover/screen_choice.hpp"

#include <gtest/gtest.h>

using namespace obsc32;
using Kind = ScreenChoice::Kind;
using Indices = std::vector<std::size_t>;

namespace {
// Two identical monitors as Wine lists them (numbered in the order it found them), and another maker's.
const std::string kWine = "MONITOR\\Default_Monitor\\{4d36e96e-e325-11ce-bfc1-08002be10318}";
std::vector<MonitorInfo> Monitors() {
    return {{kWine + "\\0000", {0, 0, 800, 600}, true},
            {kWine + "\\0001", {800, 0, 1440, 480}, false},
            {"MONITOR\\DEL40A3\\{x}\\0002", {-1024, 0, 0, 768}, false}};
}
}  // namespace

TEST(ScreenChoice, RemembersMonitorsByIdentityAndPlaceThroughARenumbering) {
    // What is no list reads as it always has: 0 the primary, anything else every monitor.
    for (const char* all : {"1", "", "2", "x@1", "a@1,2|", "a@1,2|b"})
        EXPECT_EQ(ParseScreens(all), ScreenChoice{}) << all;
    for (const char* primary : {"0", "00"})
        EXPECT_EQ(ParseScreens(primary).What, Kind::PrimaryOnly) << primary;
    // Only the second Wine monitor, then the two Wine monitors numbered the other way round.
    const ScreenChoice second = Toggled(Toggled(ScreenChoice{}, Monitors(), 0), Monitors(), 2);
    EXPECT_EQ(FormatScreens(second), kWine + "@800,0");
    EXPECT_EQ(ParseScreens(FormatScreens(second)), second);
    EXPECT_EQ(ChosenMonitors(second, Monitors()), Indices{1});
    std::vector<MonitorInfo> swapped = Monitors();
    swapped[0].DeviceId = kWine + "\\0001";
    swapped[1].DeviceId = kWine + "\\0000";
    EXPECT_EQ(ChosenMonitors(second, swapped), Indices{1});
    // Gone, it is skipped and the primary covered; it stays remembered through another choice.
    const std::vector<MonitorInfo> alone{Monitors()[2],
                                         {"MONITOR\\ABC\\{y}\\0000", {0, 0, 800, 600}, true},
                                         {"MONITOR\\ABC\\{y}\\0001", {800, 0, 1600, 600}, false}};
    EXPECT_EQ(ChosenMonitors(second, alone), Indices{1});
    const ScreenChoice later = Toggled(second, alone, 0);
    EXPECT_EQ(ChosenMonitors(later, alone), (Indices{0, 1}));
    EXPECT_EQ(ChosenMonitors(later, Monitors()), (Indices{1, 2}));
}

TEST(ScreenChoice, OneStaysCheckedAllIsOneThePrimaryAloneIsZeroAndTheCornerFollowsTheChosen) {
    EXPECT_EQ(Toggled(ParseScreens("0"), Monitors(), 0), ParseScreens("0"));
    EXPECT_EQ(FormatScreens(Toggled(Toggled(ScreenChoice{}, Monitors(), 1), Monitors(), 2)), "0");
    EXPECT_EQ(Toggled(ParseScreens("0"), Monitors(), 1).What, Kind::Listed);
    EXPECT_EQ(FormatScreens(Toggled(Toggled(ParseScreens("0"), Monitors(), 1), Monitors(), 2)), "1");
    EXPECT_EQ(CornerMonitor({0, 1}, Monitors()), 0u);
    EXPECT_EQ(CornerMonitor({1, 2}, Monitors()), 2u);  // the leftmost
    EXPECT_EQ(ChosenMonitors(ScreenChoice{}, Monitors()), (Indices{0, 1, 2}));
    EXPECT_EQ(ChosenMonitors(ParseScreens("0"), Monitors()), Indices{0});
}

TEST(ChosenLayout, MonitorsOneAndThreeOfThreeAreCutOutOfTheAreaAroundThem) {
    const ScreenLayout layout =
        ChosenLayout({{-1024, 0, 0, 768}, {800, 0, 1440, 480}}, {800, 0, 1440, 480}, {0, 0, 800, 600});
    EXPECT_EQ(layout.Area, (ScreenRect{-1024, 0, 1440, 768}));
    EXPECT_TRUE(layout.Shaped);
    EXPECT_TRUE(
        InRestoreCorner(layout, 1824, 5));  // the corner monitor's top-left, in the cover's coordinates
    EXPECT_FALSE(ChosenLayout({{800, 0, 1440, 480}}, {800, 0, 1440, 480}, {0, 0, 800, 600}).Shaped);
    EXPECT_EQ(ChosenLayout({}, {}, {0, 0, 800, 600}).Area, (ScreenRect{0, 0, 800, 600}));
}
