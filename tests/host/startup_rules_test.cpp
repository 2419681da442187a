#include "app/startup_rules.hpp"

#include <gtest/gtest.h>

#include "app/product.hpp"

using namespace obsc32;

TEST(StartupRules, UninstallerNameKeepsLastThreeDigits) {
    EXPECT_EQ(BuildUninstallerName(0), "unin_vante000.exe");
    EXPECT_EQ(BuildUninstallerName(7), "unin_vante007.exe");
    EXPECT_EQ(BuildUninstallerName(1234), "unin_vante234.exe");
}

TEST(StartupRules, RoleFromFirstArgumentAndFileName) {
    const std::string unin = "unin_vante000.exe";
    EXPECT_EQ(ClassifyStartMode({}, "obsc32.exe", unin), kStartNormal);
    EXPECT_EQ(ClassifyStartMode({"/uninstall"}, "obsc32.exe", unin), kStartUninstall1);
    // Only the exact first argument counts.
    EXPECT_EQ(ClassifyStartMode({"/UNINSTALL"}, "obsc32.exe", unin), kStartNormal);
    EXPECT_EQ(ClassifyStartMode({"x", "/uninstall"}, "obsc32.exe", unin), kStartNormal);
    EXPECT_EQ(ClassifyStartMode({"/uninstall "}, "obsc32.exe", unin), kStartNormal);
    EXPECT_EQ(ClassifyStartMode({"/DeleteFile"}, unin, unin), kStartUninstall2);
    EXPECT_EQ(ClassifyStartMode({}, unin, unin), kStartUninstall2);
    // A run that has both is stage 1.
    EXPECT_EQ(ClassifyStartMode({"/uninstall"}, unin, unin), kStartUninstall1);
    EXPECT_EQ(ClassifyStartMode({}, "unin_vante001.exe", unin), kStartNormal);
}

TEST(StartupRules, ForwardedTextJoinsWithQuestionMarks) {
    EXPECT_EQ(ForwardedArgumentText({}), "");
    EXPECT_EQ(ForwardedArgumentText({"a"}), "a");
    EXPECT_EQ(ForwardedArgumentText({"a b", "c"}), "a b?c");
    EXPECT_EQ(ForwardedArgumentText({"", ""}), "?");
    EXPECT_EQ(ForwardedArgumentText({"x?y", "z"}), "x?y?z");
}

TEST(StartupRules, FileAndFolderPartsRespectDoubleByteCharacters) {
    EXPECT_EQ(FileNamePart("C:\\Prog\\OBSC32.EXE"), "OBSC32.EXE");
    EXPECT_EQ(FolderPart("C:\\Prog\\OBSC32.EXE"), "C:\\Prog\\");
    // The second byte of ソ is 0x5C and is no separator.
    EXPECT_EQ(FileNamePart("C:\\\x83\x5C\\\x83\x5C.exe"), "\x83\x5C.exe");
    EXPECT_EQ(FolderPart("C:\\\x83\x5C\\\x83\x5C.exe"), "C:\\\x83\x5C\\");
    EXPECT_EQ(FileNamePart("\x83\x5C.exe"), "\x83\x5C.exe");
    EXPECT_EQ(FolderPart("C:a.exe"), "C:");
    EXPECT_EQ(FileNamePart("dir\\"), "");
    EXPECT_EQ(FileNamePart(""), "");
}

TEST(ProductValues, SetOnce) {
    InitProductValues("C:\\X\\");
    EXPECT_EQ(ProgramVersion, 12);
    EXPECT_EQ(ProductKey(), "Software\\VANTE SOFT32\\OBSC32");
    EXPECT_EQ(UninstallerName, "unin_vante000.exe");
    // "vaz", seven half-width blanks, then すみかげ in Shift-JIS.
    EXPECT_EQ(ProductLongTitle, "vaz       \x82\xb7\x82\xdd\x82\xa9\x82\xb0");
    EXPECT_EQ(ProductTitle, "\x90\x5e\x82\xc1\x8d\x95\x82\xb7\x82\xdd\x82\xa9\x82\xb0");
    EXPECT_EQ(ExeFolder, "C:\\X\\");
}
