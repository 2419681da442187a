// "設定": what an install makes, writes and tells, and where it stops.
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <gtest/gtest.h>

#include "settings/product.hpp"
#include "setup/setup_values.hpp"
#include "shell/progman.hpp"
#include "ui/application.hpp"
#include "wine/dde_server.hpp"
#include "wine/setup_fixture.hpp"

using namespace testing_wine;
using Texts = std::vector<std::string>;

namespace {
const std::string kRoot = kSetupRoot;

// A box shows its lines as the edit control keeps them.
std::string Shown(std::string text) {
    for (size_t i = 0; (i = text.find('\n', i)) != std::string::npos; i += 2) text.replace(i, 1, "\r\n");
    return text;
}
std::string Question(const std::string& folder) { return Shown(folder + "\n" + obsc32::kMakeFolderQuestion); }
std::string Completion() { return Shown(obsc32::CompletionText(kTestGroup)); }
std::string Yes(const std::string& text) {
    return text.find("フォルダーを作成します") != std::string::npos ? "はい" : "";
}

// The two commands of an icon, for a group and the program in a folder.
Texts IconCommands(const std::string& group, const std::string& folder) {
    return {"[CreateGroup(" + group + ")]\r\n",
            "[AddItem(\"" + folder + "\\OBSC32.EXE\",\"" + kLongTitle + "\")]\r\n"};
}

class SetupInstall : public SetupFixture {
protected:
    static void ExpectStoppedBeforeTheVersion(const Installed& done) {
        EXPECT_EQ(ReadProductValue("Version"), "");
        EXPECT_TRUE(done.windowShown) << "the window closed";
        EXPECT_TRUE(done.installButtonShown);
    }
};
}  // namespace

TEST_F(SetupInstall, AFirstInstallMakesTheMissingFoldersCopiesWritesAndAddsTheIcon) {
    // Both the group and the last folder end in a character whose second byte is a backslash.
    const std::string group = std::string(kTestGroup) + "表";
    ASSERT_TRUE(CreateDirectoryA((kRoot + "\\A").c_str(), nullptr));
    const std::string folder = kRoot + "\\A\\B\\表";
    const Installed done = Install(folder, group, Yes);
    EXPECT_EQ(done.boxes, (Texts{Question(folder), Shown(obsc32::CompletionText(group))}));
    EXPECT_FALSE(done.windowShown) << "the window stayed";
    EXPECT_EQ(done.commands, IconCommands(group, folder));

    for (const char* name : {"OBSC32.EXE", "OBSC32.TXT", "OBSC32.HLP"})
        EXPECT_EQ(FileText(folder + "\\" + name), std::string("the distribution's ") + name);
    EXPECT_FALSE(IsFile(folder + "\\OBSC32.GID"));
    EXPECT_EQ(ReadProductValue("EXEPATH"), folder);
    EXPECT_EQ(ReadProductValue("Group"), group);
    EXPECT_EQ(ReadProductValue("Version"), "12");
    EXPECT_EQ(ReadProductValue("BackColor"), "0");
    EXPECT_EQ(ReadProductValue("VANTE_COLOR"), "1");
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "DisplayName"), "VANTE vaz       すみかげ V1.2");
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "UninstallString"), folder + "\\OBSC32.EXE /uninstall");
    // The uninstall may remove the folders made here, and no folder above them.
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "MadeFolder"), kRoot + "\\A\\B");
    EXPECT_EQ(UninstallValue(HKEY_CURRENT_USER, "DisplayName"), "<none>");
}

namespace {
void StartupOption(obsc32::TOBSC32SETUPForm& f) { f.CheckBoxST.SetChecked(true); }
}  // namespace

TEST_F(SetupInstall, TheStartupOptionAddsASecondIcon) {
    const std::string folder = kRoot + "\\inst";
    ScopedStartupGroup startup("スタートアップ");
    const Installed done = Install(folder, kTestGroup, Yes, StartupOption);
    EXPECT_EQ(done.boxes, (Texts{Question(folder), Completion()}));
    Texts both = IconCommands(kTestGroup, folder);
    for (const std::string& c : IconCommands("スタートアップ", folder)) both.push_back(c);
    EXPECT_EQ(done.commands, both);
}

TEST_F(SetupInstall, TheStartupOptionWithoutAStartupGroupSaysSoAndGoesOn) {
    const std::string folder = kRoot + "\\inst";
    ScopedStartupGroup none(nullptr);
    const Installed done = Install(folder, kTestGroup, Yes, StartupOption);
    EXPECT_EQ(done.boxes, (Texts{Question(folder), Shown(obsc32::kNoStartupGroup), Completion()}));
    EXPECT_EQ(done.commands, IconCommands(kTestGroup, folder));
    EXPECT_EQ(ReadProductValue("Version"), "12");
}

TEST_F(SetupInstall, IntoTheRunningFolderNothingIsCopiedAndEverythingWritten) {
    // Were it copied, the missing help file would stop the install.
    DeleteFileA((Source() + "OBSC32.HLP").c_str());
    const std::string folder = "c:\\OBSC32SETUP\\dist";
    EXPECT_EQ(Install(folder, kTestGroup, Yes).boxes, Texts{Completion()});
    EXPECT_EQ(ReadProductValue("EXEPATH"), folder);
    EXPECT_EQ(ReadProductValue("Version"), "12");
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "UninstallString"), folder + "\\OBSC32.EXE /uninstall");
    // It made no folder: the uninstall removes at most the install folder.
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "MadeFolder"), "");
}

TEST_F(SetupInstall, ARelativeFolderIsTakenFromTheCurrentFolder) {
    ASSERT_TRUE(SetCurrentDirectoryA(kSetupRoot));
    EXPECT_EQ(Install("sub", kTestGroup, Yes).boxes, (Texts{Question(kRoot + "\\sub"), Completion()}));
    EXPECT_TRUE(IsFile(kRoot + "\\sub\\OBSC32.EXE"));
    EXPECT_EQ(ReadProductValue("EXEPATH"), kRoot + "\\sub");
}

TEST_F(SetupInstall, AnsweringNoStopsWithNothingMadeOrWritten) {
    const std::string folder = kRoot + "\\no\\such";
    EXPECT_EQ(Install(folder, kTestGroup, [](const std::string&) { return "いいえ"; }).boxes,
              Texts{Question(folder)});
    EXPECT_FALSE(IsFolder(kRoot + "\\no"));
    EXPECT_EQ(ProductValueNames(), Texts{});
    ExpectStoppedBeforeTheVersion(last_);
}

TEST_F(SetupInstall, AMissingGuideStopsTheInstallWithTheProgramAlreadyCopied) {
    DeleteFileA((Source() + "OBSC32.TXT").c_str());
    const std::string folder = kRoot + "\\inst";
    EXPECT_EQ(Install(folder, kTestGroup, Yes).boxes,
              (Texts{Question(folder), Shown(std::string("OBSC32.TXT\n") + obsc32::kCopyFailedText)}));
    EXPECT_TRUE(IsFile(folder + "\\OBSC32.EXE"));
    EXPECT_EQ(ProductValueNames(), Texts{});
    ExpectStoppedBeforeTheVersion(last_);
}

TEST_F(SetupInstall, AProductKeyThatCannotBeWrittenStopsTheInstallNamingIt) {
    // A volatile maker key cannot hold the lasting product key.
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, obsc32::MakerKey, 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    const std::string folder = kRoot + "\\inst";
    EXPECT_EQ(
        Install(folder, kTestGroup, Yes).boxes,
        (Texts{Question(folder),
               Shown("レジストリーを開けません・・・\nHKEY_CURRENT_USER\\Software\\VANTE SOFT32\\OBSC32")}));
    EXPECT_TRUE(IsFile(folder + "\\OBSC32.HLP"));
    ExpectStoppedBeforeTheVersion(last_);
}

TEST_F(SetupInstall, WithoutTheMachinesUninstallListTheUsersOwnTakesTheEntry) {
    // The machine's entry exists but only for reading, as for a user without administrator rights.
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, obsc32::UninstallKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                                     &readOnly, nullptr));
    const LONG set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly);
    RegCloseKey(key);
    LocalFree(readOnly);
    ASSERT_EQ(set, ERROR_SUCCESS);
    const bool denied = RegOpenKeyExA(HKEY_LOCAL_MACHINE, obsc32::UninstallKey, 0, KEY_SET_VALUE, &key) != 0;
    if (!denied) RegCloseKey(key);
    ASSERT_TRUE(denied) << "the registry did not keep the key read-only";

    const std::string folder = kRoot + "\\inst";
    EXPECT_EQ(Install(folder, kTestGroup, Yes).boxes, (Texts{Question(folder), Completion()}));
    EXPECT_EQ(UninstallValue(HKEY_CURRENT_USER, "DisplayName"), "VANTE vaz       すみかげ V1.2");
    EXPECT_EQ(UninstallValue(HKEY_CURRENT_USER, "UninstallString"), folder + "\\OBSC32.EXE /uninstall");
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "DisplayName"), "");
    EXPECT_EQ(ReadProductValue("Version"), "12");
}

namespace {
struct BadInput {
    const char* name;
    std::string folder, group;
    Texts shown;  // the boxes, "?" for the folder question
};
void PrintTo(const BadInput& c, std::ostream* os) { *os << c.name; }

const std::string kFile = kRoot + "\\dist\\OBSC32.EXE";
const std::string k259 = kRoot + "\\" + std::string(259 - kRoot.size() - 1, 'd');
const std::string k300 = kRoot + "\\" + std::string(300 - kRoot.size() - 1, 'e');
const std::string kFolderFailed = obsc32::kFolderFailedText;

class SetupBadInput : public SetupInstall, public ::testing::WithParamInterface<BadInput> {};
}  // namespace

TEST_P(SetupBadInput, GetsItsMessageAndLeavesTheWindowReady) {
    const BadInput& c = GetParam();
    Texts expected;
    for (const std::string& t : c.shown) expected.push_back(t == "?" ? Question(c.folder) : Shown(t));
    EXPECT_EQ(Install(c.folder, c.group, Yes).boxes, expected);
    EXPECT_EQ(ProductValueNames(), Texts{});
    ExpectStoppedBeforeTheVersion(last_);
}

INSTANTIATE_TEST_SUITE_P(
    Install, SetupBadInput,
    ::testing::Values(
        BadInput{"NoGroup", kRoot + "\\inst", "", {obsc32::kNoGroupText}},
        BadInput{"NoFolder", "", kTestGroup, {obsc32::kNoFolderText}},
        BadInput{"GroupWithParentheses",
                 kRoot + "\\inst",
                 "a(b)",
                 {std::string("[ a(b) ]\n") + obsc32::kUnusableGroupText}},
        BadInput{"FolderNamesAFile", kFile, kTestGroup, {"?", "[ " + kFile + " ]\n" + kFolderFailed}},
        BadInput{"NoSuchDrive", "Q:\\inst", kTestGroup, {"?", "[ Q:\\ ]\n" + kFolderFailed}},
        BadInput{"Folder259", k259, kTestGroup, {"?", "[ " + k259 + " ]\n" + kFolderFailed}},
        BadInput{"Folder300", k300, kTestGroup, {"[ " + k300 + " ]\n" + kFolderFailed}}),
    [](const ::testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });
