// Program Manager's command texts and the splitting of its group list.
#include "shell/progman_commands.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using obsc32::SplitGroupsReply;
using Names = std::vector<std::string>;

namespace {
const std::string kTitle = "vaz       すみかげ";

Names Split(const std::string& reply) { return SplitGroupsReply(reply.data(), reply.size()); }
}  // namespace

TEST(ProgmanCommands, AreTheExactTextsEachEndingInCrLf) {
    EXPECT_EQ(obsc32::CreateGroupCommand("スタートアップ"), "[CreateGroup(スタートアップ)]\r\n");
    EXPECT_EQ(obsc32::ShowGroupCommand("Main"), "[ShowGroup(Main,1)]\r\n");
    EXPECT_EQ(obsc32::AddItemCommand("C:\\Program Files (x86)\\ソフト\\OBSC32.EXE", kTitle),
              "[AddItem(\"C:\\Program Files (x86)\\ソフト\\OBSC32.EXE\",\"" + kTitle + "\")]\r\n");
    EXPECT_EQ(obsc32::DeleteItemCommand(kTitle), "[DeleteItem(\"" + kTitle + "\")]\r\n");
    EXPECT_EQ(obsc32::QuotedLongTitle(kTitle), "\"" + kTitle + "\"");
}

TEST(ProgmanCommands, NamesThatWouldBreakACommandDoNotFit) {
    for (const char* good : {"StartUp", "スタートアップ", "Start Up 1", "表示ソフト"})
        EXPECT_TRUE(obsc32::FitsInCommand(good)) << good;
    for (const char* bad : {"a)b", "a(b", "a,b", "a\"b", "[x", "x]", "a\tb", "a\nb"})
        EXPECT_FALSE(obsc32::FitsInCommand(bad)) << bad;
    // A broken character could take the next byte on its way to the system's code page.
    for (const char* bad : {"Start\x81", "\xE3\x81,b", "\xC0\xA9"})
        EXPECT_FALSE(obsc32::FitsInCommand(bad)) << bad;
    // The limit counts code page 932's bytes: two for 表, one for ｱ.
    EXPECT_TRUE(obsc32::FitsInCommand(std::string(253, 'a') + "表"));
    EXPECT_FALSE(obsc32::FitsInCommand(std::string(254, 'a') + "表"));
    EXPECT_TRUE(obsc32::FitsInCommand(std::string(254, 'a') + "ｱ"));
}

TEST(ProgmanGroups, SeparatorsAreAnyByteBelow0x14AndTheZeroEndsTheReply) {
    EXPECT_EQ(Split(std::string("Main\r\nGames\r\n\0", 14)), (Names{"Main", "Games"}));
    EXPECT_EQ(Split(std::string("\r\nMain\r\n\0", 9)), (Names{"", "Main"}));
    EXPECT_EQ(Split(std::string("\x13Main\x01\x02Games", 12)), (Names{"", "Main", "Games"}));
    // 0x14 itself belongs to a name.
    EXPECT_EQ(Split("A\x14"
                    "B"),
              (Names{"A\x14"
                     "B"}));
    EXPECT_EQ(Split(std::string("Main\0Games\r\n", 12)), (Names{"Main"}));
    EXPECT_EQ(Split(std::string("\0Main", 5)), Names{});
    EXPECT_EQ(Split(""), Names{});
    EXPECT_EQ(Split("\r\n"), Names{""});
}

TEST(ProgmanGroups, JapaneseNamesKeepEveryByteAndAReplyWithoutZeroEndsAtItsSize) {
    EXPECT_EQ(Split("アクセサリ\r\nスタートアップ\r\n"), (Names{"アクセサリ", "スタートアップ"}));
    const char unterminated[] = {'M', 'a', 'i', 'n', '\r', '\n', 'G', 'a', 'm', 'e', 's'};
    EXPECT_EQ(SplitGroupsReply(unterminated, sizeof unterminated), (Names{"Main", "Games"}));
    EXPECT_EQ(SplitGroupsReply(unterminated, 3), (Names{"Mai"}));
    EXPECT_EQ(SplitGroupsReply(nullptr, 0), Names{});
}
