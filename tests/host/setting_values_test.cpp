#include "settings/setting_values.hpp"

#include <map>

#include <gtest/gtest.h>

#include "shell/decimal.hpp"

using namespace obsc32;

TEST(StrictDecimal, AcceptsOnlySignAndDigitsWithinInt) {
    EXPECT_EQ(StrictDecimal("12"), 12);
    EXPECT_EQ(StrictDecimal("-3"), -3);
    EXPECT_EQ(StrictDecimal("+7"), 7);
    EXPECT_EQ(StrictDecimal("007"), 7);
    EXPECT_EQ(StrictDecimal("2147483647"), 2147483647);
    EXPECT_EQ(StrictDecimal("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "-", "+", " 1", "1 ", "1x", "x", "0x10", "$10", "1.0", "2147483648",
                            "-2147483649", "99999999999999999999999"})
        EXPECT_FALSE(StrictDecimal(bad).has_value()) << bad;
}

TEST(StoredVersion, EmptyOrUnconvertibleNeverMatches) {
    EXPECT_EQ(StoredVersion("12"), 12);
    EXPECT_EQ(StoredVersion("11"), 11);
    EXPECT_EQ(StoredVersion(""), kNoVersion);
    EXPECT_EQ(StoredVersion("1.2"), kNoVersion);
    EXPECT_EQ(StoredVersion("twelve"), kNoVersion);
    // As the about box shows them.
    for (auto [text, shown] : {std::pair{"12", "1.2"},
                               {"7", "0.7"},
                               {"0", "0.0"},
                               {"105", "10.5"},
                               {"", "?.?"},
                               {"abc", "?.?"},
                               {"-5", "?.?"}})
        EXPECT_EQ(obsc32::AboutVersionText(StoredVersion(text)), shown) << text;
}

namespace {
CoverSettings Parse(const std::map<std::string, std::string>& values) {
    return ParseCoverSettings([&](const char* name) {
        auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    });
}
}  // namespace

TEST(CoverSettings, EmptyKeyGivesDefaults) {
    CoverSettings s = Parse({});
    EXPECT_FALSE(s.Auto);
    EXPECT_TRUE(s.Ue);
    EXPECT_EQ(s.Ichi, 1);
    EXPECT_EQ(s.BmpFile, "");
    EXPECT_TRUE(s.Kabe);
    EXPECT_EQ(s.Mode, 0);
    EXPECT_TRUE(s.Mue);
    EXPECT_TRUE(s.HidePointer);
}

TEST(CoverSettings, UnconvertibleValuesTakeTheirOwnFallbacks) {
    CoverSettings s = Parse({{"AUTO", "x"},
                             {"UE", "x"},
                             {"ICHI", "x"},
                             {"Kabe", "x"},
                             {"mode", "x"},
                             {"MUE", "x"},
                             {"HidePointer", "x"}});
    EXPECT_FALSE(s.Auto);
    EXPECT_TRUE(s.Ue);
    EXPECT_EQ(s.Ichi, 1);
    EXPECT_TRUE(s.Kabe);
    EXPECT_EQ(s.Mode, 0);
    EXPECT_TRUE(s.Mue);
    EXPECT_TRUE(s.HidePointer);
}

TEST(CoverSettings, StoredValuesAreUsedOneByOne) {
    CoverSettings s = Parse({{"AUTO", "1"},
                             {"UE", "0"},
                             {"ICHI", "6"},
                             {"BMPFile", "C:\\a.bmp"},
                             {"Kabe", "0"},
                             {"mode", "2"},
                             {"MUE", "0"},
                             {"HidePointer", "0"},
                             {"Screens", "0"}});
    EXPECT_EQ(s.Screens, "0");
    EXPECT_TRUE(s.Auto);
    EXPECT_FALSE(s.Ue);
    EXPECT_EQ(s.Ichi, 6);
    EXPECT_EQ(s.BmpFile, "C:\\a.bmp");
    EXPECT_FALSE(s.Kabe);
    EXPECT_EQ(s.Mode, 2);
    EXPECT_FALSE(s.Mue);
    EXPECT_FALSE(s.HidePointer);
    // Any number but 0 switches on; a bad value does not spoil the next one.
    s = Parse({{"AUTO", "-5"}, {"UE", "oops"}, {"ICHI", "0"}, {"Kabe", "2"}});
    EXPECT_TRUE(s.Auto);
    EXPECT_TRUE(s.Ue);
    EXPECT_EQ(s.Ichi, 0);
    EXPECT_TRUE(s.Kabe);
}

TEST(CoverSettings, PositionOutsideRangeSelectsTiled) {
    for (const char* v : {"7", "-1", "100", "2147483647"}) EXPECT_EQ(Parse({{"ICHI", v}}).Ichi, 1) << v;
}

TEST(CoverSettings, WrittenInOrderAsDecimalText) {
    CoverSettings s;
    s.Auto = true;
    s.Ue = false;
    s.Ichi = 4;
    s.BmpFile = "D:\\\x83\x5C.bmp";
    s.Kabe = false;
    s.Mode = 2;
    s.Mue = true;
    auto values = CoverSettingsValues(s);
    std::vector<std::pair<std::string, std::string>> expected = {
        {"AUTO", "1"}, {"UE", "0"},   {"ICHI", "4"}, {"BMPFile", "D:\\\x83\x5C.bmp"},
        {"Kabe", "0"}, {"mode", "2"}, {"MUE", "1"}};
    EXPECT_EQ(values, expected);
    // What is written reads back the same.
    std::map<std::string, std::string> stored(values.begin(), values.end());
    CoverSettings back = Parse(stored);
    EXPECT_EQ(CoverSettingsValues(back), values);
}
