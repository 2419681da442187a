#include "settings/hot_key_text.hpp"

#include <gtest/gtest.h>

using namespace obsc32;

TEST(HotKeyText, ReadsModifiersInAnyOrderAndCaseAndWritesThemInOne) {
    for (auto [text, mods, key, written] :
         {std::tuple{"Ctrl+Alt+B", kModControl | kModAlt, 0x42u, "Ctrl+Alt+B"},
          std::tuple{" alt + CONTROL+b ", kModControl | kModAlt, 0x42u, "Ctrl+Alt+B"},
          std::tuple{"win+shift+ctrl+alt+0", kModControl | kModAlt | kModShift | kModWin, 0x30u,
                     "Ctrl+Alt+Shift+Win+0"},
          std::tuple{"F24", 0u, 0x87u, "F24"}, std::tuple{"shift+f1", kModShift, 0x70u, "Shift+F1"},
          std::tuple{"Pause", 0u, 0x13u, "Pause"}, std::tuple{"scrolllock", 0u, 0x91u, "ScrollLock"},
          std::tuple{"Ctrl+Ins", kModControl, 0x2Du, "Ctrl+Insert"},
          std::tuple{"Win+PgDn", kModWin, 0x22u, "Win+PageDown"},
          std::tuple{"Alt+num7", kModAlt, 0x67u, "Alt+Num7"}}) {
        const auto chord = ParseHotKey(text);
        ASSERT_TRUE(chord) << text;
        EXPECT_EQ(chord->Modifiers, mods) << text;
        EXPECT_EQ(chord->Key, key) << text;
        EXPECT_EQ(FormatHotKey(*chord), written) << text;
    }
}

TEST(HotKeyText, RefusesWhatIsNotOneKeyWithModifiers) {
    for (const char* bad : {"", "B", "Shift+B", "Shift+Insert", "Ctrl", "Ctrl+", "+B", "Ctrl++B",
                            "Ctrl+Ctrl+B", "Ctrl+Control+B", "Ctrl+Alt+BB", "Ctrl+Alt+F0", "Ctrl+F25",
                            "Ctrl+F01", "Ctrl+B+Alt", "Ctrl-Alt-B", "Ctrl+Alt+\x82\x61", "Ctrl+Alt+B\n"})
        EXPECT_FALSE(ParseHotKey(bad)) << bad;
    EXPECT_TRUE(ParseHotKey(std::string(kMaxHotKeyText - 10, ' ') + "Ctrl+Alt+B"));
    EXPECT_FALSE(ParseHotKey(std::string(kMaxHotKeyText - 9, ' ') + "Ctrl+Alt+B"));
    EXPECT_EQ(FormatHotKey({kModControl, 0x07}), "");
    EXPECT_EQ(FormatHotKey({0x4000 | kModControl, 0x42}), "");
}

TEST(HotKeyText, AbsentIsTheDefaultEmptyIsNoneAndABadTextIsToldAndKept) {
    using Kind = StoredHotKey::Kind;
    const HotKeyPlan absent = PlanHotKey({Kind::Absent, ""});
    EXPECT_EQ(absent.Chord, (HotKeyChord{kModControl | kModAlt, 'B'}));
    EXPECT_EQ(absent.Notice, "");
    EXPECT_EQ(absent.Written, "Ctrl+Alt+B");

    const HotKeyPlan none = PlanHotKey({Kind::Text, ""});
    EXPECT_FALSE(none.Chord);
    EXPECT_EQ(none.Notice, "");
    EXPECT_EQ(none.Written, "");

    EXPECT_EQ(PlanHotKey({Kind::Text, "shift+f5"}).Written, "Shift+F5");

    const HotKeyPlan bad = PlanHotKey({Kind::Text, "Ctrl+\n" + std::string(60, 'x')});
    EXPECT_FALSE(bad.Chord);
    EXPECT_EQ(bad.Written, "Ctrl+\n" + std::string(60, 'x'));
    EXPECT_EQ(bad.Notice.substr(0, bad.Notice.find("・")),
              "ホットキー「Ctrl+?" + std::string(34, 'x') + "…」は、キーとして読めません");

    const HotKeyPlan other = PlanHotKey({Kind::NotText, ""});
    EXPECT_FALSE(other.Chord);
    EXPECT_NE(other.Notice, "");
    EXPECT_FALSE(other.Written);
}

TEST(HotKeyText, TipAndTakenNoticeNameTheKey) {
    const HotKeyChord key{kModControl | kModAlt, 'B'};
    EXPECT_EQ(HotKeyTip("真っ黒すみかげ", key), "真っ黒すみかげ  Ctrl+Alt+B");
    EXPECT_EQ(HotKeyTip("真っ黒すみかげ", std::nullopt), "真っ黒すみかげ");
    EXPECT_EQ(HotKeyTakenNotice(key).rfind("ホットキー「Ctrl+Alt+B」は、ほかのソフトが使っています・・・", 0),
              0u);
}
