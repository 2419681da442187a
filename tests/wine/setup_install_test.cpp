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

class SetupInstall : public SetupFixture {
protected:
    std::string Shortcut(const std::string& folder) const { return folder + "\\" + kLongTitle + ".lnk"; }
    void ExpectStoppedBeforeTheVersion() {
        EXPECT_EQ(ReadProductValue("Version"), "");
        ASSERT_TRUE(form_->HandleAllocated()) << "the window closed";
        EXPECT_TRUE(IsWindowVisible(form_->Button3.Handle()));
    }
};
}  // namespace

TEST_F(SetupInstall, AFirstInstallMakesTheMissingFoldersCopiesWritesAndAddsTheIcon) {
    // Both the group and the last folder end in a character whose second byte is a backslash.
    const std::string group = std::string(kTestGroup);
    ASSERT_TRUE(CreateDirectoryA((kRoot + "\\A").c_str(), nullptr));
    const std::string folder = kRoot + "\\A\\B\\表";
    Create();
    EXPECT_EQ(Install(folder, group, Yes), (Texts{Question(folder), Completion()}));
    EXPECT_FALSE(form_->HandleAllocated()) << "the window stayed";

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
    EXPECT_EQ(UninstallValue(HKEY_CURRENT_USER, "DisplayName"), "<none>");
    EXPECT_TRUE(WaitUntil([&] { return IsFile(Shortcut(Programs() + "\\" + group)); }))
        << "no shortcut in " << Programs() << "\\" << group;
}

TEST_F(SetupInstall, TheStartupOptionAddsASecondIconOrSaysWhyNot) {
    const std::string folder = kRoot + "\\inst";
    const std::string startupShortcut = Shortcut(Startup());
    DeleteFileA(startupShortcut.c_str());
    {
        ScopedStartupGroup none(nullptr);
        Create().CheckBoxST.SetChecked(true);
        EXPECT_EQ(Install(folder, kTestGroup, Yes),
                  (Texts{Question(folder), Shown(obsc32::kNoStartupGroup), Completion()}));
        EXPECT_EQ(ReadProductValue("Version"), "12");
    }
    ui::Application::Instance().Reset();
    DeleteProductKeys();
    {
        ScopedStartupGroup startup("StartUp");
        Create().CheckBoxST.SetChecked(true);
        EXPECT_EQ(Install(folder, kTestGroup, Yes), Texts{Completion()});
        EXPECT_TRUE(WaitUntil([&] { return IsFile(startupShortcut); })) << startupShortcut;
        EXPECT_TRUE(WaitUntil([&] { return IsFile(Shortcut(Programs() + "\\" + kTestGroup)); }));
    }
    DeleteFileA(startupShortcut.c_str());
}

TEST_F(SetupInstall, IntoTheRunningFolderNothingIsCopiedAndEverythingWritten) {
    // Were it copied, the missing help file would stop the install.
    DeleteFileA((Source() + "OBSC32.HLP").c_str());
    const std::string folder = "c:\\OBSC32SETUP\\dist";
    Create();
    EXPECT_EQ(Install(folder, kTestGroup, Yes), Texts{Completion()});
    EXPECT_EQ(ReadProductValue("EXEPATH"), folder);
    EXPECT_EQ(ReadProductValue("Version"), "12");
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "UninstallString"), folder + "\\OBSC32.EXE /uninstall");
}

TEST_F(SetupInstall, ARelativeFolderIsTakenFromTheCurrentFolder) {
    Create();
    ASSERT_TRUE(SetCurrentDirectoryA(kSetupRoot));
    EXPECT_EQ(Install("sub", kTestGroup, Yes), (Texts{Question(kRoot + "\\sub"), Completion()}));
    EXPECT_TRUE(IsFile(kRoot + "\\sub\\OBSC32.EXE"));
    EXPECT_EQ(ReadProductValue("EXEPATH"), kRoot + "\\sub");
}

TEST_F(SetupInstall, AnsweringNoStopsWithNothingMadeOrWritten) {
    const std::string folder = kRoot + "\\no\\such";
    Create();
    EXPECT_EQ(Install(folder, kTestGroup, [](const std::string&) { return "いいえ"; }),
              Texts{Question(folder)});
    EXPECT_FALSE(IsFolder(kRoot + "\\no"));
    EXPECT_EQ(ProductValueNames(), Texts{});
    ExpectStoppedBeforeTheVersion();
}

TEST_F(SetupInstall, AMissingGuideStopsTheInstallWithTheProgramAlreadyCopied) {
    DeleteFileA((Source() + "OBSC32.TXT").c_str());
    const std::string folder = kRoot + "\\inst";
    Create();
    EXPECT_EQ(Install(folder, kTestGroup, Yes),
              (Texts{Question(folder), Shown(std::string("OBSC32.TXT\n") + obsc32::kCopyFailedText)}));
    EXPECT_TRUE(IsFile(folder + "\\OBSC32.EXE"));
    EXPECT_EQ(ProductValueNames(), Texts{});
    ExpectStoppedBeforeTheVersion();
}

TEST_F(SetupInstall, AProductKeyThatCannotBeWrittenStopsTheInstallNamingIt) {
    // A volatile maker key cannot hold the lasting product key.
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, obsc32::MakerKey, 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    const std::string folder = kRoot + "\\inst";
    Create();
    EXPECT_EQ(
        Install(folder, kTestGroup, Yes),
        (Texts{Question(folder),
               Shown("レジストリーを開けません・・・\nHKEY_CURRENT_USER\\Software\\VANTE SOFT32\\OBSC32")}));
    EXPECT_TRUE(IsFile(folder + "\\OBSC32.HLP"));
    ExpectStoppedBeforeTheVersion();
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
    Create();
    EXPECT_EQ(Install(folder, kTestGroup, Yes), (Texts{Question(folder), Completion()}));
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
    Create();
    Texts expected;
    for (const std::string& t : c.shown) expected.push_back(t == "?" ? Question(c.folder) : Shown(t));
    EXPECT_EQ(Install(c.folder, c.group, Yes), expected);
    EXPECT_EQ(ProductValueNames(), Texts{});
    ExpectStoppedBeforeTheVersion();
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
