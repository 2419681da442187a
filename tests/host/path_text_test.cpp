#include "shell/path_text.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace obsc32;
using List = std::vector<std::string>;

namespace {
List Levels(const std::string& path) {
    List list{"kept"};
    YenLevels(path, list);
    return list;
}
}  // namespace

// Letters such as é and ü were first bytes of double-byte characters to the Shift-JIS rule, which hid the
// separator after them.
TEST(PathText, AccentedLettersEndNoFolderEarly) {
    EXPECT_EQ(Levels("C:\\Café\\OBSC32\\"), (List{"kept", "C:\\", "C:\\Café", "C:\\Café\\OBSC32"}));
    EXPECT_EQ(FolderPart("C:\\Users\\André\\OBSC32.EXE"), "C:\\Users\\André\\");
    EXPECT_EQ(FileNamePart("C:\\Users\\André\\OBSC32.EXE"), "OBSC32.EXE");
    EXPECT_EQ(FolderPart("C:a.exe"), "C:");
    EXPECT_EQ(FileNamePart("dir/ソ表.exe"), "ソ表.exe");
    EXPECT_EQ(YenAdd("C:\\Café"), "C:\\Café\\");
    EXPECT_EQ(YenAdd("C:\\"), "C:\\");
    EXPECT_EQ(YenAdd(""), "\\");
    EXPECT_EQ(YenCut("C:\\表\\"), "C:\\表");
    EXPECT_EQ(YenCut("C:\\"), "C:\\");
    List split;
    YenSplit("C:\\A\\한국\\x\"C:\\y\\", split);
    EXPECT_EQ(split, (List{"C:\\", "A\\", "한국\\"}));
    EXPECT_EQ(DropTrailingDotsAndBlanks("C:\\A \\OBSC32. .\\Ü.EXE. "), "C:\\A \\OBSC32. .\\Ü.EXE");
    EXPECT_EQ(DropTrailingDotsAndBlanks("C:\\A\\.."), "C:\\A\\..");
    EXPECT_EQ(DropTrailingDotsAndBlanks(". ."), "");
    EXPECT_EQ(AsciiCase("C:\\Ärger\\ａb\"X", true), "c:\\Ärger\\ａb\"X");
    EXPECT_EQ(AsciiCase("c:\\ärger", false), "C:\\äRGER");
}

TEST(PathText, CountsAsTheSystemAndCodePage932DoAndCutsNoCharacter) {
    const std::string emoji = "\xF0\x9F\x98\x80";  // U+1F600, two UTF-16 units
    EXPECT_EQ(WideLength("aé表" + emoji), 5u);
    EXPECT_EQ(ShownWidth("aé表ｱ" + emoji), 8u);  // half-width katakana takes one byte
    EXPECT_EQ(ShownLeft("ab表ｱc", 3), "ab");
    EXPECT_EQ(ShownLeft("ab表ｱc", 5), "ab表ｱ");
    EXPECT_EQ(ShownLeft("ab", 0), "");
    EXPECT_EQ(ShownLeft("ab", -1), "");
    EXPECT_TRUE(IsWholeUtf8("é表" + emoji));
    // Stray, cut-off, overlong, surrogate and out-of-range sequences each stand alone, byte by byte.
    for (const std::string& bad : {std::string("\x80"), std::string("\xE8\xA1"), std::string("\xC0\xAF"),
                                   std::string("\xED\xA0\x80"), std::string("\xF4\x90\x80\x80")}) {
        EXPECT_FALSE(IsWholeUtf8("a" + bad)) << bad;
        EXPECT_EQ(WideLength(bad), bad.size()) << bad;
        EXPECT_EQ(ShownLeft(bad + "x", 1), bad.substr(0, 1));
    }
    EXPECT_EQ(CharLength("a表", 1), 3u);
    EXPECT_EQ(CharLength("a表", 2), 1u);
}
