#include "shell/sjis_path.hpp"

#include <cstddef>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using obsc32::DropTrailingDotsAndBlanks;
using obsc32::FileNamePart;
using obsc32::FolderPart;
using obsc32::IsLeadByte;
using obsc32::SjisCase;
using obsc32::SjisLeft;
using obsc32::YenAdd;
using obsc32::YenCut;
using obsc32::YenLevels;
using obsc32::YenSplit;

namespace {

// Code page 932 bytes, kept as separate strings so that no hex escape runs into the next character.
const std::string kSo = "\x83\x5C";          // ソ, second byte 0x5C
const std::string kHyou = "\x95\x5C";        // 表, second byte 0x5C
const std::string kNou = "\x94\x5C";         // 能, second byte 0x5C
const std::string kA = "\x88\x9F";           // 亜, both bytes in the lead range
const std::string kKan = "\x8A\xBF";         // 漢
const std::string kFu = "\x83\x74";          // フ, second byte 't'
const std::string kTo = "\x83\x67";          // ト, second byte 'g'
const std::string kKataA = "\x83\x41";       // ア, second byte 'A'
const std::string kWideA = "\x82\x60";       // Ａ
const std::string kWideB = "\x82\x61";       // Ｂ, second byte 'a'
const std::string kWideSmallA = "\x82\x81";  // ａ
const std::string kLone = "\x83";            // a lead byte with no second byte after it

std::string Hex(const std::string& text) {
    std::string out;
    char buffer[4];
    for (unsigned char c : text) {
        std::snprintf(buffer, sizeof(buffer), "%02X ", c);
        out += buffer;
    }
    return out;
}

// Reference reading of a byte string, walking forwards from the start: starts[i] tells whether a
// character begins at byte i. A lead byte takes the next byte only when that one may be a second byte.
bool Lead(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool PairsAt(const std::string& text, std::size_t i) {
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    return Lead(text[i]) && next >= 0x40 && next != 0x7F && next <= 0xFC;
}
std::vector<bool> CharStarts(const std::string& text) {
    std::vector<bool> starts(text.size() + 1, false);
    for (std::size_t i = 0; i < text.size(); i += PairsAt(text, i) ? 2 : 1) starts[i] = true;
    starts[text.size()] = true;
    return starts;
}

bool EndsInRealYen(const std::string& text) {
    return !text.empty() && text.back() == '\\' && CharStarts(text)[text.size() - 1];
}

std::size_t FirstQuote(const std::string& text) {
    std::vector<bool> starts = CharStarts(text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (starts[i] && text[i] == '"') {
            return i;
        }
    }
    return text.size();
}

std::vector<std::string> Split(const std::string& path) {
    std::vector<std::string> list;
    YenSplit(path, list);
    return list;
}

std::vector<std::string> Levels(const std::string& path) {
    std::vector<std::string> list;
    YenLevels(path, list);
    return list;
}

using List = std::vector<std::string>;

}  // namespace

TEST(IsLeadByte, RangeBoundaries) {
    EXPECT_FALSE(IsLeadByte(0x00));
    EXPECT_FALSE(IsLeadByte(0x5C));
    EXPECT_FALSE(IsLeadByte(0x80));
    EXPECT_TRUE(IsLeadByte(0x81));
    EXPECT_TRUE(IsLeadByte(0x9F));
    EXPECT_FALSE(IsLeadByte(0xA0));
    EXPECT_FALSE(IsLeadByte(0xDF));
    EXPECT_TRUE(IsLeadByte(0xE0));
    EXPECT_TRUE(IsLeadByte(0xFC));
    EXPECT_FALSE(IsLeadByte(0xFD));
    EXPECT_FALSE(IsLeadByte(0xFF));
}

TEST(CharLength, ALeadByteTakesOnlyARealSecondByte) {
    for (unsigned char second : {0x40, 0x5C, 0x7E, 0x80, 0x81, 0xFC})
        EXPECT_EQ(obsc32::CharLength(std::string{'\x81', static_cast<char>(second)}, 0), 2u) << int(second);
    for (unsigned char second : {0x00, 0x0A, 0x22, 0x2F, 0x3A, 0x3F, 0x7F, 0xFD, 0xFF})
        EXPECT_EQ(obsc32::CharLength(std::string{'\xFC', static_cast<char>(second)}, 0), 1u) << int(second);
    EXPECT_EQ(obsc32::CharLength(kLone, 0), 1u);
    EXPECT_EQ(obsc32::CharLength("a\x40", 0), 1u);
}

TEST(YenAdd, PlainPaths) {
    EXPECT_EQ(YenAdd("C:\\WINDOWS"), "C:\\WINDOWS\\");
    EXPECT_EQ(YenAdd("C:\\WINDOWS\\"), "C:\\WINDOWS\\");
    EXPECT_EQ(YenAdd("C:"), "C:\\");
    EXPECT_EQ(YenAdd("C"), "C\\");
}

TEST(YenAdd, DriveRootAndShortTextsUnchanged) {
    EXPECT_EQ(YenAdd("C:\\"), "C:\\");
    EXPECT_EQ(YenAdd("ab\\"), "ab\\");
    EXPECT_EQ(YenAdd("\\"), "\\");
    // Up to 3 bytes no parity count is made, even when 0x5C is the second byte of ソ.
    EXPECT_EQ(YenAdd("a" + kSo), "a" + kSo);
    EXPECT_EQ(YenAdd(kSo), kSo);
}

TEST(YenAdd, EmptyGivesBackslash) { EXPECT_EQ(YenAdd(""), "\\"); }

TEST(YenAdd, SecondByte5CIsNotASeparator) {
    EXPECT_EQ(YenAdd("C:\\" + kSo), "C:\\" + kSo + "\\");
    EXPECT_EQ(YenAdd("C:\\" + kHyou), "C:\\" + kHyou + "\\");
    EXPECT_EQ(YenAdd("C:\\" + kNou), "C:\\" + kNou + "\\");
    EXPECT_EQ(YenAdd("C:\\" + kSo + "\\"), "C:\\" + kSo + "\\");
}

TEST(YenAdd, ParityOfLeadRun) {
    // 亜 is two lead-range bytes, so the run before the final 0x5C is even: a real backslash.
    EXPECT_EQ(YenAdd("C:\\" + kA + "\\"), "C:\\" + kA + "\\");
    EXPECT_EQ(YenAdd("C:\\" + kA + kA + "\\"), "C:\\" + kA + kA + "\\");
    // 亜 followed by ソ makes a run of three.
    EXPECT_EQ(YenAdd("C:\\" + kA + kSo), "C:\\" + kA + kSo + "\\");
    // The run may reach the start of the text.
    EXPECT_EQ(YenAdd(kA + kSo), kA + kSo + "\\");
    EXPECT_EQ(YenAdd(kA + kA + "\\"), kA + kA + "\\");
}

TEST(YenAdd, TwoTrailingBackslashesUnchanged) { EXPECT_EQ(YenAdd("C:\\WINDOWS\\\\"), "C:\\WINDOWS\\\\"); }

TEST(YenAdd, LoneLeadByteAtTheEndIsDroppedNotJoinedToTheBackslash) {
    EXPECT_EQ(YenAdd("C:\\A" + kLone), "C:\\A\\");
    EXPECT_EQ(YenAdd("C:\\A\\" + kLone), "C:\\A\\");
    EXPECT_EQ(YenAdd(kLone), "\\");
    // Inside the path it stays, a byte of its own.
    EXPECT_EQ(YenAdd("C:\\" + kLone + ":"), "C:\\" + kLone + ":\\");
}

TEST(YenCut, PlainPaths) {
    EXPECT_EQ(YenCut("C:\\WINDOWS\\"), "C:\\WINDOWS");
    EXPECT_EQ(YenCut("C:\\WINDOWS"), "C:\\WINDOWS");
    EXPECT_EQ(YenCut(""), "");
}

TEST(YenCut, ShortTextsUnchanged) {
    EXPECT_EQ(YenCut("C:\\"), "C:\\");
    EXPECT_EQ(YenCut("ab\\"), "ab\\");
    EXPECT_EQ(YenCut("\\\\\\"), "\\\\\\");
    EXPECT_EQ(YenCut("\\"), "\\");
    EXPECT_EQ(YenCut("a" + kSo), "a" + kSo);
}

TEST(YenCut, SecondByte5CIsKept) {
    EXPECT_EQ(YenCut("C:\\" + kSo), "C:\\" + kSo);
    EXPECT_EQ(YenCut("C:\\" + kHyou), "C:\\" + kHyou);
    EXPECT_EQ(YenCut("C:\\" + kNou), "C:\\" + kNou);
    EXPECT_EQ(YenCut("C:\\" + kSo + "\\"), "C:\\" + kSo);
    EXPECT_EQ(YenCut("C:\\" + kHyou + "\\"), "C:\\" + kHyou);
}

TEST(YenCut, ParityOfLeadRun) {
    EXPECT_EQ(YenCut("C:\\" + kA + "\\"), "C:\\" + kA);
    EXPECT_EQ(YenCut("C:\\" + kA + kSo), "C:\\" + kA + kSo);
    EXPECT_EQ(YenCut(kA + kA + "\\"), kA + kA);
    EXPECT_EQ(YenCut(kA + kSo), kA + kSo);
}

TEST(YenCut, RemovesAtMostOneByte) {
    EXPECT_EQ(YenCut("C:\\WINDOWS\\\\"), "C:\\WINDOWS\\");
    EXPECT_EQ(YenCut("C:\\" + kSo + "\\\\"), "C:\\" + kSo + "\\");
}

TEST(YenCut, LeadByteAtEnd) { EXPECT_EQ(YenCut("C:\\A" + kLone), "C:\\A" + kLone); }

TEST(SjisLeft, CutsBeforeSplitCharacter) {
    EXPECT_EQ(SjisLeft("ab" + kKan, 3), "ab");
    EXPECT_EQ(SjisLeft("ab" + kKan, 4), "ab" + kKan);
    EXPECT_EQ(SjisLeft("ab" + kKan + "c", 4), "ab" + kKan);
    EXPECT_EQ(SjisLeft("ab" + kKan + "c", 2), "ab");
    EXPECT_EQ(SjisLeft(kKan, 1), "");
}

TEST(SjisLeft, ZeroOrNegativeGivesEmpty) {
    EXPECT_EQ(SjisLeft("abc", 0), "");
    EXPECT_EQ(SjisLeft("abc", -5), "");
    EXPECT_EQ(SjisLeft("", 0), "");
}

TEST(SjisLeft, ShortTextComesBackWhole) {
    EXPECT_EQ(SjisLeft("abc", 3), "abc");
    EXPECT_EQ(SjisLeft("abc", 63), "abc");
    EXPECT_EQ(SjisLeft("", 5), "");
    // A lone lead byte is a byte of its own, kept like any other.
    EXPECT_EQ(SjisLeft("ab" + kLone, 3), "ab" + kLone);
    EXPECT_EQ(SjisLeft("ab" + kLone, 10), "ab" + kLone);
    EXPECT_EQ(SjisLeft("ab" + kLone + ":" + kKan, 3), "ab" + kLone);
    EXPECT_EQ(SjisLeft("ab" + kLone + ":" + kKan, 5), "ab" + kLone + ":");
}

TEST(SjisLeft, SecondByteInLeadRange) {
    // Only the parity of the run tells whether the last byte of 亜亜... starts a character.
    EXPECT_EQ(SjisLeft(kA + kA, 3), kA);
    EXPECT_EQ(SjisLeft(kA + kA, 2), kA);
    EXPECT_EQ(SjisLeft("x" + kA + kA, 4), "x" + kA);
    EXPECT_EQ(SjisLeft(kSo + kA, 3), kSo);
    EXPECT_EQ(SjisLeft(kSo + kA, 4), kSo + kA);
}

TEST(SjisLeft, TrayTipLimit) {
    std::string allWide;
    for (int i = 0; i < 32; ++i) {
        allWide += kA;
    }
    EXPECT_EQ(SjisLeft(allWide, 63).size(), 62u);

    std::string shifted = allWide.substr(0, 62) + "a" + kA;
    EXPECT_EQ(SjisLeft(shifted, 63), allWide.substr(0, 62) + "a");
}

TEST(SjisCase, FoldsOnlySingleByteLetters) {
    std::string path = "C:\\Program Files\\" + kSo + kFu + kTo;
    EXPECT_EQ(SjisCase(path, true), "c:\\program files\\" + kSo + kFu + kTo);
    // フ and ト have second bytes 't' and 'g' that must not be raised.
    EXPECT_EQ(SjisCase(path, false), "C:\\PROGRAM FILES\\" + kSo + kFu + kTo);
}

TEST(SjisCase, FullWidthLettersUnchanged) {
    std::string wide = kWideA + kWideB + kWideSmallA;
    EXPECT_EQ(SjisCase(wide, true), wide);
    EXPECT_EQ(SjisCase(wide, false), wide);
    // ア has second byte 'A'.
    EXPECT_EQ(SjisCase("X" + kKataA + "Y", true), "x" + kKataA + "y");
}

TEST(SjisCase, StopsAtDoubleQuote) {
    EXPECT_EQ(SjisCase("C:\\ABC\"DEF", true), "c:\\abc\"DEF");
    EXPECT_EQ(SjisCase("abc\"def", false), "ABC\"def");
    EXPECT_EQ(SjisCase("\"ABC", true), "\"ABC");
    // A lead byte cannot take a quote as its second byte.
    EXPECT_EQ(SjisCase(kLone + "\"ABC", true), kLone + "\"ABC");
}

TEST(SjisCase, OtherBytesUnchanged) {
    EXPECT_EQ(SjisCase("@[`{09 _", true), "@[`{09 _");
    EXPECT_EQ(SjisCase("@[`{09 _", false), "@[`{09 _");
    EXPECT_EQ(SjisCase("", true), "");
}

TEST(SjisCase, LeadByteAtEnd) {
    EXPECT_EQ(SjisCase("AB" + kLone, true), "ab" + kLone);
    EXPECT_EQ(SjisCase(kLone, false), kLone);
}

TEST(YenSplit, Segments) {
    EXPECT_EQ(Split("C:\\A\\B\\"), (List{"C:\\", "A\\", "B\\"}));
    EXPECT_EQ(Split("C:\\A\\B"), (List{"C:\\", "A\\"}));
    EXPECT_EQ(Split("C:\\"), (List{"C:\\"}));
    EXPECT_EQ(Split("C:"), List{});
    EXPECT_EQ(Split(""), List{});
    EXPECT_EQ(Split("C:\\\\A\\"), (List{"C:\\", "\\", "A\\"}));
}

TEST(YenSplit, SecondByte5CIsNotASeparator) {
    EXPECT_EQ(Split("C:\\" + kSo + "\\" + kHyou + "\\"), (List{"C:\\", kSo + "\\", kHyou + "\\"}));
    EXPECT_EQ(Split("C:\\" + kSo), (List{"C:\\"}));
    EXPECT_EQ(Split("C:\\" + kA + "\\"), (List{"C:\\", kA + "\\"}));
}

TEST(YenSplit, StopsAtDoubleQuote) {
    EXPECT_EQ(Split("C:\\A\\\"B\\C\\"), (List{"C:\\", "A\\"}));
    EXPECT_EQ(Split("C:\\A\"\\"), (List{"C:\\"}));
    EXPECT_EQ(Split("\"C:\\"), List{});
    // A lead byte cannot take a quote as its second byte.
    EXPECT_EQ(Split("C:\\" + kLone + "\"\\"), (List{"C:\\"}));
}

TEST(YenSplit, LeadByteAtEnd) {
    EXPECT_EQ(Split("C:\\A\\" + kLone), (List{"C:\\", "A\\"}));
    EXPECT_EQ(Split(kLone), List{});
}

TEST(YenSplit, AppendsToExistingList) {
    List list{"keep"};
    YenSplit("C:\\A\\", list);
    EXPECT_EQ(list, (List{"keep", "C:\\", "A\\"}));
}

TEST(YenLevels, FoldersFromRootDown) {
    EXPECT_EQ(Levels("C:\\A\\B\\"), (List{"C:\\", "C:\\A", "C:\\A\\B"}));
    EXPECT_EQ(Levels("C:\\"), (List{"C:\\"}));
    EXPECT_EQ(Levels("C:\\A\\B"), (List{"C:\\", "C:\\A"}));
    EXPECT_EQ(Levels(YenAdd("C:\\A\\B")), (List{"C:\\", "C:\\A", "C:\\A\\B"}));
    EXPECT_EQ(Levels(""), List{});
}

TEST(YenLevels, DoubleByteFolderNames) {
    EXPECT_EQ(Levels("C:\\" + kSo + "\\" + kHyou + "\\"),
              (List{"C:\\", "C:\\" + kSo, "C:\\" + kSo + "\\" + kHyou}));
    EXPECT_EQ(Levels("C:\\" + kA + "\\"), (List{"C:\\", "C:\\" + kA}));
}

TEST(YenLevels, DoubledBackslashLosesOnlyOne) {
    EXPECT_EQ(Levels("C:\\A\\\\"), (List{"C:\\", "C:\\A", "C:\\A\\"}));
}

TEST(YenLevels, LeavesEarlierItemsAlone) {
    List list{"keep"};
    YenLevels("C:\\A\\", list);
    EXPECT_EQ(list, (List{"keep", "C:\\", "C:\\A"}));
}

TEST(SjisPathProperties, RandomByteStrings) {
    const unsigned char alphabet[] = {'A',  'a',  'Z',  'z',  'x',  ':',  '\\', '"',  0x80,
                                      0x81, 0x83, 0x88, 0x95, 0x9F, 0xA0, 0xE0, 0xFC, 0xFD};
    std::mt19937 rng(20240607u);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(alphabet) - 1);
    std::uniform_int_distribution<std::size_t> length(0, 12);

    for (int iteration = 0; iteration < 10000; ++iteration) {
        std::string text;
        std::size_t size = length(rng);
        for (std::size_t i = 0; i < size; ++i) {
            text.push_back(static_cast<char>(alphabet[pick(rng)]));
        }
        SCOPED_TRACE(Hex(text));
        const std::string original = text;
        std::vector<bool> starts = CharStarts(text);
        // Whether it ends in a lead byte with no second byte, which YenAdd drops.
        bool loneEnd = size > 0 && starts[size - 1] && Lead(text.back());

        // SjisLeft: the longest prefix that ends on a character boundary.
        for (int n = -1; n <= static_cast<int>(size) + 1; ++n) {
            std::string left = SjisLeft(text, n);
            if (n <= 0) {
                ASSERT_EQ(left, "");
            } else if (static_cast<std::size_t>(n) >= size) {
                ASSERT_EQ(left, text);
            } else {
                std::size_t expected = starts[n] ? n : n - 1;
                ASSERT_EQ(left, text.substr(0, expected)) << "n=" << n;
                ASSERT_TRUE(starts[left.size()]);
            }
        }

        // SjisCase: same length; only single-byte letters before the first quote change.
        std::string lower = SjisCase(text, true);
        std::string upper = SjisCase(text, false);
        ASSERT_EQ(lower.size(), size);
        ASSERT_EQ(upper.size(), size);
        std::size_t quote = FirstQuote(text);
        for (std::size_t i = 0; i < size; ++i) {
            char c = text[i];
            bool folds = i < quote && starts[i];
            char expectLower = (folds && c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
            char expectUpper = (folds && c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
            ASSERT_EQ(lower[i], expectLower) << "i=" << i;
            ASSERT_EQ(upper[i], expectUpper) << "i=" << i;
        }
        ASSERT_EQ(SjisCase(lower, false), upper);
        ASSERT_EQ(SjisCase(lower, true), lower);

        // YenAdd: appends one backslash unless the text already ends in a real one (or is a short root).
        if (size > 0) {
            std::string added = YenAdd(text);
            const std::string base = loneEnd ? text.substr(0, size - 1) : text;
            bool keep = !base.empty() && base.back() == '\\' && (base.size() <= 3 || EndsInRealYen(base));
            ASSERT_EQ(added, keep ? base : base + "\\");
            if (base.size() > 3 || base.empty() || base.back() != '\\') {
                ASSERT_TRUE(EndsInRealYen(added));
            }
            ASSERT_EQ(YenAdd(added), added);
            if (base.size() >= 3 && !EndsInRealYen(base)) {
                ASSERT_EQ(YenCut(added), base);
            }
        }

        // YenCut: drops the last byte only when it is a real backslash of a text longer than 3 bytes.
        std::string cut = YenCut(text);
        bool drop = size > 3 && EndsInRealYen(text);
        ASSERT_EQ(cut, drop ? text.substr(0, size - 1) : text);

        // YenSplit: the items rebuild the text up to its last real backslash before the first quote.
        List items = Split(text);
        std::string joined;
        for (const std::string& item : items) {
            ASSERT_FALSE(item.empty());
            std::vector<bool> itemStarts = CharStarts(item);
            for (std::size_t i = 0; i + 1 < item.size(); ++i) {
                ASSERT_FALSE(itemStarts[i] && item[i] == '\\') << "inner backslash in " << Hex(item);
            }
            ASSERT_TRUE(EndsInRealYen(item)) << Hex(item);
            joined += item;
        }
        std::size_t splitEnd = 0;
        for (std::size_t i = 0; i < quote; ++i) {
            if (starts[i] && text[i] == '\\') {
                splitEnd = i + 1;
            }
        }
        ASSERT_EQ(joined, text.substr(0, splitEnd));

        // YenLevels: each level is the joined items so far, less the backslash beyond the root.
        List levels = Levels(text);
        ASSERT_EQ(levels.size(), items.size());
        std::string running;
        for (std::size_t i = 0; i < items.size(); ++i) {
            running += items[i];
            bool keepYen = i == 0 || running.size() <= 3;
            ASSERT_EQ(levels[i], keepYen ? running : running.substr(0, running.size() - 1)) << "i=" << i;
        }

        ASSERT_EQ(text, original);
    }
}

TEST(PathParts, FileAndFolderPartsRespectDoubleByteCharacters) {
    EXPECT_EQ(FileNamePart("C:\\Prog\\OBSC32.EXE"), "OBSC32.EXE");
    EXPECT_EQ(FolderPart("C:\\Prog\\OBSC32.EXE"), "C:\\Prog\\");
    // The second byte of ソ is 0x5C and is no separator.
    EXPECT_EQ(FileNamePart("C:\\\x83\x5C\\\x83\x5C.exe"), "\x83\x5C.exe");
    EXPECT_EQ(FolderPart("C:\\\x83\x5C\\\x83\x5C.exe"), "C:\\\x83\x5C\\");
    EXPECT_EQ(FileNamePart("\x83\x5C.exe"), "\x83\x5C.exe");
    EXPECT_EQ(FolderPart("C:a.exe"), "C:");
    // Nor can a lead byte take ':' or '/' as its second byte.
    EXPECT_EQ(FileNamePart("C:\\A" + kLone + ":B"), "B");
    EXPECT_EQ(FolderPart("C:\\A" + kLone + "/B"), "C:\\A" + kLone + "/");
    EXPECT_EQ(FileNamePart("dir\\"), "");
    EXPECT_EQ(FileNamePart(""), "");
}

TEST(DropTrailingDotsAndBlanks, OnlyTheLastPartLosesThem) {
    // A folder's "A " is another folder than "A": the system trims the name it opens, not those on its way.
    EXPECT_EQ(DropTrailingDotsAndBlanks("C:\\A \\OBSC32. .\\OBSC32.EXE. "), "C:\\A \\OBSC32. .\\OBSC32.EXE");
    EXPECT_EQ(DropTrailingDotsAndBlanks("C:\\A\\.."), "C:\\A\\..");
    // The second byte of ソ is 0x5C: no separator.
    EXPECT_EQ(DropTrailingDotsAndBlanks("C:\\\x83\x5C. "), "C:\\\x83\x5C");
}
