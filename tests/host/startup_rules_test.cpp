#include "app/startup_rules.hpp"

#include <gtest/gtest.h>

#include "settings/product.hpp"

using namespace obsc32;

TEST(StartupRules, UninstallerNameKeepsLastThreeDigits) {
    EXPECT_EQ(BuildUninstallerName(UninstallerNumber), UninstallerName);
    EXPECT_EQ(BuildUninstallerName(0), "unin_vante000.exe");
    EXPECT_EQ(BuildUninstallerName(7), "unin_vante007.exe");
    EXPECT_EQ(BuildUninstallerName(1234), "unin_vante234.exe");
}

TEST(StartupRules, RoleFromFirstArgumentAndFileName) {
    const std::string unin = "unin_vante000.exe";
    EXPECT_EQ(ClassifyStartMode({}, "obsc32.exe", unin), StartModes::Normal);
    EXPECT_EQ(ClassifyStartMode({"/uninstall"}, "obsc32.exe", unin), StartModes::Uninstall1);
    // Only the exact first argument counts.
    EXPECT_EQ(ClassifyStartMode({"/UNINSTALL"}, "obsc32.exe", unin), StartModes::Normal);
    EXPECT_EQ(ClassifyStartMode({"x", "/uninstall"}, "obsc32.exe", unin), StartModes::Normal);
    EXPECT_EQ(ClassifyStartMode({"/uninstall "}, "obsc32.exe", unin), StartModes::Normal);
    EXPECT_EQ(ClassifyStartMode({"/DeleteFile"}, unin, unin), StartModes::Uninstall2);
    EXPECT_EQ(ClassifyStartMode({}, unin, unin), StartModes::Uninstall2);
    // A run that has both is stage 1.
    EXPECT_EQ(ClassifyStartMode({"/uninstall"}, unin, unin), StartModes::Uninstall1);
    EXPECT_EQ(ClassifyStartMode({}, "unin_vante001.exe", unin), StartModes::Normal);
}

TEST(StartupRules, ForwardedTextJoinsWithQuestionMarks) {
    EXPECT_EQ(ForwardedArgumentText({}), "");
    EXPECT_EQ(ForwardedArgumentText({"a"}), "a");
    EXPECT_EQ(ForwardedArgumentText({"a b", "c"}), "a b?c");
    EXPECT_EQ(ForwardedArgumentText({"", ""}), "?");
    EXPECT_EQ(ForwardedArgumentText({"x?y", "z"}), "x?y?z");
}

TEST(ProductValues, TextsAreUtf8Bytes) {
    // "vaz", seven half-width blanks, then すみかげ in UTF-8.
    EXPECT_EQ(std::string(ProductLongTitle), "vaz       \xE3\x81\x99\xE3\x81\xBF\xE3\x81\x8B\xE3\x81\x92");
    EXPECT_EQ(std::string(ProductTitle).substr(0, 6), "\xE7\x9C\x9F\xE3\x81\xA3");  // 真っ
}
