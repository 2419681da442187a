// The setup window's texts, its proposed folder and the order of its group list.
#include "setup/setup_values.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using Rows = std::vector<std::string>;

TEST(SetupValues, VersionAndNames) {
    EXPECT_EQ(obsc32::VersionText(12), " V1.2");
    EXPECT_EQ(obsc32::VersionText(0), " V0.0");
    EXPECT_EQ(obsc32::VersionText(105), " V10.5");
    EXPECT_EQ(obsc32::UninstallDisplayName("vaz       すみかげ", 12), "VANTE vaz       すみかげ V1.2");
    EXPECT_EQ(
        obsc32::ProductFileNames("OBSC32"),
        (std::array<std::string, 5>{"OBSC32.EXE", "OBSC32.TXT", "OBSC32.HLP", "OBSC32.HTM", "OBSC32.GID"}));
    EXPECT_EQ(obsc32::CompletionText("VANTE SOFT32"),
              "登録完了です。\n\n[ VANTE SOFT32 ]\nグループに登録しました☆☆\nお疲れ様☆☆");
    EXPECT_EQ(obsc32::DisplayVersionText(12), "1.2");
}

TEST(SetupValues, TheUninstallCommandQuotesAProgramPathWithABlank) {
    EXPECT_EQ(obsc32::UninstallCommand("C:\\VERADO32\\OBSC32\\OBSC32.EXE"),
              "C:\\VERADO32\\OBSC32\\OBSC32.EXE /uninstall");
    EXPECT_EQ(obsc32::UninstallCommand("D:\\My Tools\\OBSC32.EXE"),
              "\"D:\\My Tools\\OBSC32.EXE\" /uninstall");
    // A full-width blank is one character of the name: nothing splits there.
    EXPECT_EQ(obsc32::UninstallCommand("D:\\\x81\x40\\OBSC32.EXE"), "D:\\\x81\x40\\OBSC32.EXE /uninstall");
}

TEST(SetupValues, TheProposedFolderIsOnTheWindowsDriveUnlessOneIsStored) {
    EXPECT_EQ(obsc32::DefaultInstallFolder("C:\\WINDOWS", "OBSC32", ""), "C:\\VERADO32\\OBSC32");
    EXPECT_EQ(obsc32::DefaultInstallFolder("d:\\win", "OBSC32", ""), "d:\\VERADO32\\OBSC32");
    EXPECT_EQ(obsc32::DefaultInstallFolder("C:\\WINDOWS", "OBSC32", "D:\\Tools"), "D:\\Tools");
}

TEST(SetupValues, GroupListEndsWithTheMakersGroups) {
    Rows rows{"Accessories", "Games", "Main", "VANTE SOFT32"};
    obsc32::ArrangeGroups(rows);
    EXPECT_EQ(rows, (Rows{"Accessories", "Games", "Main", "VANTE SOFT32"}));
    EXPECT_EQ(obsc32::GroupRowToSelect(rows, ""), 3);
    EXPECT_EQ(obsc32::GroupRowToSelect(rows, "Games"), 1);
    EXPECT_EQ(obsc32::GroupRowToSelect(rows, "games"), 3);

    rows = {"Games", "VANTE SOFT", "VANTE SOFT32", "Zeta"};
    obsc32::ArrangeGroups(rows);
    EXPECT_EQ(rows, (Rows{"Games", "Zeta", "VANTE SOFT", "VANTE SOFT32"}));

    // No reply at all, and a reply that started with a separator.
    rows = {};
    obsc32::ArrangeGroups(rows);
    EXPECT_EQ(rows, (Rows{"VANTE SOFT32"}));
    rows = {"", "Main"};
    obsc32::ArrangeGroups(rows);
    EXPECT_EQ(rows, (Rows{"Main", "VANTE SOFT32"}));
    EXPECT_EQ(obsc32::GroupRowToSelect(rows, ""), 1);
}
