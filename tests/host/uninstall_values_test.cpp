// What stage 2 accepts from a hand-over, and which folders it may remove.
#include "setup/uninstall_values.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using Folders = std::vector<std::string>;
using obsc32::FoldersToRemove;
using obsc32::IsUsableHandOverFile;

TEST(UninstallValues, CaptionAndHandedColors) {
    EXPECT_EQ(obsc32::StageTwoCaption(0), "UNINSTALL_VANTE000");
    EXPECT_EQ(obsc32::StageTwoCaption(1234), "UNINSTALL_VANTE234");
    EXPECT_EQ(obsc32::TrimValue(" \t32768 \r\n"), "32768");

    auto both = obsc32::ReadHandedColors(" 32768 ", "-2147483633");
    EXPECT_EQ(both.Color, 32768);
    EXPECT_EQ(both.FontColor, -2147483633);
    // An empty value is skipped; a value that is not a whole number ends the reading.
    auto emptyFirst = obsc32::ReadHandedColors("  ", "16777215");
    EXPECT_FALSE(emptyFirst.Color);
    EXPECT_EQ(emptyFirst.FontColor, 16777215);
    auto badFirst = obsc32::ReadHandedColors("green", "16777215");
    EXPECT_FALSE(badFirst.Color);
    EXPECT_FALSE(badFirst.FontColor);
    EXPECT_FALSE(obsc32::ReadHandedColors("0x8000", "").Color);
    EXPECT_FALSE(obsc32::ReadHandedColors("99999999999", "").Color);
}

TEST(UninstallValues, OnlyAWholeAbsoluteFileIsTakenFromAHandOver) {
    EXPECT_TRUE(IsUsableHandOverFile("C:\\VERADO32\\OBSC32\\OBSC32.EXE"));
    EXPECT_TRUE(IsUsableHandOverFile("d:\\表\\OBSC32.EXE"));
    // MAX_PATH counts UTF-16 units, not bytes: 259 of them here, in 775 bytes.
    EXPECT_TRUE(IsUsableHandOverFile("C:\\" + [] {
        std::string s;
        for (int i = 0; i < 250; ++i) s += "表";
        return s;
    }() + "\\A.EXE"));
    EXPECT_TRUE(IsUsableHandOverFile("\\\\server\\share\\OBSC32.EXE"));
    const std::string longest = "C:\\" + std::string(247, 'a') + "\\OBSC.EXE";  // 259 bytes
    EXPECT_TRUE(IsUsableHandOverFile(longest));
    for (const std::string& bad : std::vector<std::string>{"",
                                                           "OBSC32.EXE",
                                                           "VERADO32\\OBSC32.EXE",
                                                           "\\VERADO32\\OBSC32.EXE",
                                                           "C:OBSC32.EXE",
                                                           "C:\\",
                                                           "C:\\VERADO32\\",
                                                           "1:\\A.EXE",
                                                           "C:\\A\\..\\B.EXE",
                                                           "C:\\A\\.\\B.EXE",
                                                           "C:\\A\\\\B.EXE",
                                                           "C:\\A/B.EXE",
                                                           "C:\\A\\*.EXE",
                                                           "C:\\A\\B.EXE:stream",
                                                           "C:\\A\\\"B.EXE",
                                                           "C:\\A\\B\tC.EXE",
                                                           "\\\\?\\C:\\A.EXE",
                                                           "\\\\.\\C:\\A.EXE",
                                                           "\\\\server",
                                                           "\\\\server\\share",
                                                           "C:\\A\\B.EX\x81",
                                                           "C:\\A\\B.EX\x81:stream",
                                                           "C:\\A\\B\x81\"C.EXE",
                                                           "C:\\A\\B\x81\tC.EXE",
                                                           "\\\\srv\x81/x\\share\\A.EXE",
                                                           longest + "E"})
        EXPECT_FALSE(IsUsableHandOverFile(bad)) << bad;
}

TEST(UninstallValues, FoldersGoFromTheInstallFolderUpToTheHighestTheInstallMade) {
    const std::string exe = "C:\\VERADO32\\OBSC32\\OBSC32.EXE";
    EXPECT_EQ(FoldersToRemove(exe, "C:\\VERADO32", "C:\\windows\\"),
              (Folders{"C:\\VERADO32\\OBSC32", "C:\\VERADO32"}));
    EXPECT_EQ(FoldersToRemove(exe, "c:\\verado32\\", "C:\\windows\\"),
              (Folders{"C:\\VERADO32\\OBSC32", "C:\\VERADO32"}));
    // Made nothing, or a record that does not hold the program: only the install folder.
    EXPECT_EQ(FoldersToRemove(exe, "", "C:\\windows\\"), (Folders{"C:\\VERADO32\\OBSC32"}));
    EXPECT_EQ(FoldersToRemove(exe, "C:\\VERADO3", "C:\\windows\\"), (Folders{"C:\\VERADO32\\OBSC32"}));
    EXPECT_EQ(FoldersToRemove(exe, "D:\\", "C:\\windows\\"), (Folders{"C:\\VERADO32\\OBSC32"}));
    // Never a root, never the Windows folder or one that holds it.
    EXPECT_EQ(FoldersToRemove(exe, "C:\\", "C:\\windows\\"),
              (Folders{"C:\\VERADO32\\OBSC32", "C:\\VERADO32"}));
    EXPECT_EQ(FoldersToRemove("C:\\OBSC32.EXE", "C:\\", "C:\\windows\\"), Folders{});
    EXPECT_EQ(FoldersToRemove("C:\\windows\\sys\\OBSC32.EXE", "C:\\", "C:\\windows\\"),
              (Folders{"C:\\windows\\sys"}));
    EXPECT_EQ(FoldersToRemove("C:\\WINDOWS\\OBSC32.EXE", "C:\\", "C:\\windows\\"), Folders{});
    EXPECT_EQ(FoldersToRemove("\\\\srv\\share\\A\\OBSC32.EXE", "\\\\srv", ""),
              (Folders{"\\\\srv\\share\\A"}));
    // Folder names ending in 0x5C are whole names.
    EXPECT_EQ(FoldersToRemove("C:\\表\\能\\OBSC32.EXE", "C:\\表", "C:\\windows\\"),
              (Folders{"C:\\表\\能", "C:\\表"}));
}

TEST(UninstallValues, AShareIsKnownByItsWholeNames) {
    // A server name ending in 表 (second byte 0x5C) goes on past that byte: the share is still a root.
    EXPECT_EQ(FoldersToRemove("\\\\表x\\share\\OBSC32.EXE", "\\\\", ""), Folders{});
    EXPECT_EQ(FoldersToRemove("\\\\表x\\share\\A\\OBSC32.EXE", "\\\\", ""), (Folders{"\\\\表x\\share\\A"}));
    EXPECT_TRUE(IsUsableHandOverFile("\\\\表x\\share\\A.EXE"));
    // Server and share names keep to the rules of folder names.
    EXPECT_FALSE(IsUsableHandOverFile("\\\\ser\tver\\share\\A.EXE"));
    EXPECT_FALSE(IsUsableHandOverFile("\\\\server\\sh*re\\A.EXE"));
    EXPECT_FALSE(IsUsableHandOverFile("\\\\server\\..\\A.EXE"));
}

TEST(UninstallValues, AReinstallKeepsTheRecordOfFoldersMadeBefore) {
    EXPECT_EQ(obsc32::MadeFolderRecord("C:\\VERADO32\\", "D:\\X", "C:\\VERADO32\\OBSC32\\"), "C:\\VERADO32");
    EXPECT_EQ(obsc32::MadeFolderRecord("", "C:\\VERADO32", "C:\\VERADO32\\OBSC32\\"), "C:\\VERADO32");
    EXPECT_EQ(obsc32::MadeFolderRecord("", "C:\\VERADO32", "D:\\Tools\\"), "");
    EXPECT_EQ(obsc32::MadeFolderRecord("", "", "D:\\Tools\\"), "");
}

TEST(UninstallValues, OnlyAPlainFileIsDeletedAsTheProgram) {
    // Archive; a symbolic link named as the program would have its target deleted; a folder; unknown.
    EXPECT_TRUE(obsc32::IsPlainFile(0x20));
    for (unsigned long refused : {0x420UL, 0x10UL, 0xFFFFFFFFUL}) EXPECT_FALSE(obsc32::IsPlainFile(refused));
}
