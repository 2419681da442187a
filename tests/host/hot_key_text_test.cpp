#include "settings/hot_key_text.hpp"

#include <gtest/gtest.h>

using namespace obsc32;

TEST(HotKeyText, ReadsModifiersInAnyOrderAndCaseAndWritesThemInOneForm) {
    EXPECT_EQ(ParseHotKey(" alt + CONTROL+b "), (HotKeyChord{kModControl | kModAlt, 0x42}));
    EXPECT_EQ(ParseHotKey("shift+F24"), (HotKeyChord{kModShift, 0x87}));
    for (auto [text, written] : {std::pair{"win+shift+ctrl+alt+0", "Ctrl+Alt+Shift+Win+0"},
                                 {"pause", "Pause"},
                                 {"scrolllock", "ScrollLock"},
                                 {"Ctrl+Ins", "Ctrl+Insert"},
                                 {"Alt+num7", "Alt+Num7"}})
        EXPECT_EQ(FormatHotKey(ParseHotKey(text).value_or(HotKeyChord{})), written) << text;
    // No modifier but Shift for a key that types, a modifier twice, no key or two, over-long text.
    for (const char* bad :
         {"", "B", "Shift+Insert", "Ctrl+", "+B", "Ctrl++B", "Ctrl+Control+B", "Ctrl+B+Alt", "Ctrl+Alt+F25",
          "Ctrl+Alt+F01", "Ctrl-Alt-B", "Ctrl+Alt+\x82\x61", "Ctrl+Alt+B\n"})
        EXPECT_FALSE(ParseHotKey(bad)) << bad;
    EXPECT_FALSE(ParseHotKey(std::string(kMaxHotKeyText - 9, ' ') + "Ctrl+Alt+B"));
}

TEST(HotKeyText, AbsentIsTheDefaultEmptyIsNoneAndABadValueIsToldAndKept) {
    using Kind = StoredHotKey::Kind;
    const HotKeyPlan absent = PlanHotKey({Kind::Absent, ""}), none = PlanHotKey({Kind::Text, ""});
    EXPECT_EQ(absent.Chord, (HotKeyChord{kModControl | kModAlt, 'B'}));
    EXPECT_EQ(absent.Written, "Ctrl+Alt+B");
    EXPECT_EQ(HotKeyTip("真っ黒すみかげ", absent.Chord), "真っ黒すみかげ  Ctrl+Alt+B");
    EXPECT_FALSE(none.Chord);
    EXPECT_EQ(none.Written, "");
    EXPECT_EQ(absent.Notice + none.Notice, "");

    const std::string text = "Ctrl+\n" + std::string(60, 'x');
    const HotKeyPlan bad = PlanHotKey({Kind::Text, text});
    EXPECT_EQ(bad.Written, text);
    EXPECT_EQ(bad.Notice.substr(0, bad.Notice.find("・")),
              "ホットキー「Ctrl+?" + std::string(34, 'x') + "…」は、キーとして読めません");
    // Not a string: told, and left as it is.
    EXPECT_FALSE(PlanHotKey({Kind::NotText, ""}).Written);
}
