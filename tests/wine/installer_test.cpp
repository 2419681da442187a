// The install behind "設定" as a command: what it makes, copies, writes and has Program Manager add, and
// where it stops, read back from the file system, the registry and the shortcuts Program Manager made.
#include "setup/installer.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "setup/setup_values.hpp"
#include "setup/uninstall_values.hpp"
#include "shell/progman.hpp"
#include "wine/dde_server.hpp"
#include "wine/setup_fixture.hpp"

using namespace testing_wine;
using Texts = std::vector<std::string>;

namespace {
const std::string kRoot = kSetupRoot;
const std::string kGroup = "OBSC32 試験";

std::string Question(const std::string& folder) { return "? " + folder + "\n" + obsc32::kMakeFolderQuestion; }

class Install : public SetupFixture {
protected:
    void TearDown() override {
        for (const std::string& group : groups_)
            if (!group.empty()) RemoveTree(Programs() + "\\" + group);
        CloseGroupWindows();
        SetupFixture::TearDown();
    }
    // Runs the install with these choices; the groups it names are removed after the test.
    bool Run(const std::string& folder, const std::string& group, bool startupIcon = false) {
        groups_.push_back(group);
        return installer_.Run({folder, group, startupIcon, false, true});
    }
    static std::string Programs() { return obsc32::ReadShellFolders().Programs; }
    // Program Manager makes the shortcut after it has answered.
    bool IconIn(const std::string& group) {
        groups_.push_back(group);
        return WaitUntil([&] { return IsFile(Programs() + "\\" + group + "\\" + kLongTitle + ".lnk"); });
    }
    void ExpectNothingWritten() {
        EXPECT_EQ(ProductValueNames(), Texts{});
        EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "DisplayName"), "<none>");
        // Nor a record of a folder it asked to make and could not.
        EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "MadeFolder"), "<none>");
    }

    RecordingPrompter person_;
    ui::DdeClientConv progman_{nullptr, "progman"};
    obsc32::Installer installer_{run_, person_, progman_};
    std::vector<std::string> groups_;
};
}  // namespace

TEST_F(Install, AFirstInstallMakesTheMissingFoldersCopiesWritesAndAddsBothIcons) {
    // Both the group and the last folder end in a character whose second byte is a backslash.
    const std::string group = kGroup + "表";
    ASSERT_TRUE(CreateDirectoryW(testing_common::W(kRoot + "\\A").c_str(), nullptr));
    const std::string folder = kRoot + "\\A\\B\\表";
    ScopedStartupGroup startup("OBSC32 始動");
    ASSERT_TRUE(Run(folder, group, true));
    EXPECT_EQ(person_.Said, Texts{Question(folder)});

    for (const char* name : {"OBSC32.EXE", "OBSC32.TXT", "OBSC32.HLP", "OBSC32.HTM"})
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
    // What the system's list of programs shows beside the name.
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "DisplayIcon"), folder + "\\OBSC32.EXE");
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "DisplayVersion"), "1.2");
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "Publisher"), "VANTE SOFT");
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "InstallLocation"), folder);
    // The four files of this test take one KB.
    for (const char* name : {"EstimatedSize", "NoModify", "NoRepair"})
        EXPECT_EQ(testing_common::registry::Read(HKEY_LOCAL_MACHINE, obsc32::UninstallKey, name),
                  testing_common::registry::Dword(1))
            << name;
    EXPECT_TRUE(IconIn(group));
    EXPECT_TRUE(IconIn("OBSC32 始動"));
}

TEST_F(Install, IntoAFolderWithABlankTheSystemsListStartsTheUninstall) {
    // The real program, so that the entry's command can be started as the system's list starts it.
    ASSERT_TRUE(CopyFileW(testing_common::W(OBSC32_BUILT_EXE).c_str(),
                          testing_common::W(Source() + "OBSC32.EXE").c_str(), FALSE));
    const std::string folder = kRoot + "\\My Tools";
    ASSERT_TRUE(Run(folder, kGroup));
    std::string command = UninstallValue(HKEY_LOCAL_MACHINE, "UninstallString");
    EXPECT_EQ(command, "\"" + folder + "\\OBSC32.EXE\" /uninstall");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    HWND box = testing_common::WaitForBox(pi.dwProcessId, [](const std::string& text) {
        return text.find(obsc32::kUninstallQuestion) != std::string::npos;
    });
    EXPECT_NE(box, nullptr) << "the uninstall's first question did not come";
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, testing_common::kDeadline);
    CloseHandle(pi.hProcess);
}

TEST_F(Install, AFolderMadeBeforeALaterOneFailsIsRecordedForTheUninstall) {
    // The second level is too long to be made once the first is.
    const std::string folder = kRoot + "\\new\\" + std::string(250 - kRoot.size(), 'x');
    try {
        Run(folder, kGroup);
        ADD_FAILURE() << "no failure";
    } catch (const ui::Error&) {}
    EXPECT_TRUE(IsFolder(kRoot + "\\new"));
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "MadeFolder"), kRoot + "\\new");
    // Run again as after a run cut short, it makes only the deeper folder: the record keeps the one above.
    ASSERT_TRUE(Run(kRoot + "\\new\\inst", kGroup));
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "MadeFolder"), kRoot + "\\new");
}

TEST_F(Install, WithoutAStartupGroupItSaysSoAndInstallsTheRest) {
    const std::string folder = kRoot + "\\inst";
    ScopedStartupGroup none(nullptr);
    ASSERT_TRUE(Run(folder, kGroup, true));
    EXPECT_EQ(person_.Said, (Texts{Question(folder), obsc32::kNoStartupGroup}));
    EXPECT_EQ(ReadProductValue("Version"), "12");
    EXPECT_TRUE(IconIn(kGroup));
}

TEST_F(Install, IntoTheRunningFolderNothingIsCopiedAndEverythingWritten) {
    // Were it copied, the missing help file would stop the install.
    DeleteFileW(testing_common::W(Source() + "OBSC32.HLP").c_str());
    const std::string folder = "c:\\OBSC32SETUP\\dist";
    ASSERT_TRUE(Run(folder, kGroup));
    EXPECT_EQ(person_.Said, Texts{});
    EXPECT_EQ(ReadProductValue("EXEPATH"), folder);
    EXPECT_EQ(ReadProductValue("Version"), "12");
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "UninstallString"), folder + "\\OBSC32.EXE /uninstall");
    // It made no folder: the uninstall removes at most the install folder.
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "MadeFolder"), "");
}

TEST_F(Install, ARelativeFolderIsTakenFromTheCurrentFolder) {
    ASSERT_TRUE(SetCurrentDirectoryW(testing_common::W(kSetupRoot).c_str()));
    ASSERT_TRUE(Run("sub", kGroup));
    EXPECT_EQ(person_.Said, Texts{Question(kRoot + "\\sub")});
    EXPECT_TRUE(IsFile(kRoot + "\\sub\\OBSC32.EXE"));
    EXPECT_EQ(ReadProductValue("EXEPATH"), kRoot + "\\sub");
}

TEST_F(Install, AnsweringNoStopsWithNothingMadeOrWritten) {
    person_.Answer = [](const std::string&) { return 7; };
    const std::string folder = kRoot + "\\no\\such";
    EXPECT_FALSE(Run(folder, kGroup));
    EXPECT_EQ(person_.Said, Texts{Question(folder)});
    EXPECT_FALSE(IsFolder(kRoot + "\\no"));
    ExpectNothingWritten();
}

TEST_F(Install, AStepThatFailsStopsItKeepingWhatCameBeforeButTheVersion) {
    // The guide is missing: the program is copied, nothing written.
    DeleteFileW(testing_common::W(Source() + "OBSC32.TXT").c_str());
    const std::string folder = kRoot + "\\inst";
    try {
        Run(folder, kGroup);
        ADD_FAILURE() << "no failure";
    } catch (const ui::Error& e) {
        EXPECT_EQ(e.what(), std::string("OBSC32.TXT\n") + obsc32::kCopyFailedText);
    }
    EXPECT_TRUE(IsFile(folder + "\\OBSC32.EXE"));
    EXPECT_EQ(ProductValueNames(), Texts{});

    // The product key cannot be written (a volatile maker key cannot hold a lasting one): named, and stops.
    SetupFixture::WriteFile(Source() + "OBSC32.TXT", "guide");
    ASSERT_TRUE(testing_common::registry::CreateVolatileKey(HKEY_CURRENT_USER, obsc32::MakerKey));
    try {
        Run(folder, kGroup);
        ADD_FAILURE() << "no failure";
    } catch (const ui::Error& e) {
        EXPECT_EQ(
            e.what(),
            std::string("レジストリーを開けません・・・\nHKEY_CURRENT_USER\\Software\\VANTE SOFT32\\OBSC32"));
    }
    EXPECT_TRUE(IsFile(folder + "\\OBSC32.HLP"));
    EXPECT_EQ(ReadProductValue("Version"), "");
}

TEST_F(Install, WithoutTheMachinesUninstallListTheUsersOwnTakesTheEntry) {
    ASSERT_NO_FATAL_FAILURE(MakeMachineEntryReadOnly());
    const std::string folder = kRoot + "\\inst";
    ASSERT_TRUE(Run(folder, kGroup));
    EXPECT_EQ(UninstallValue(HKEY_CURRENT_USER, "DisplayName"), "VANTE vaz       すみかげ V1.2");
    EXPECT_EQ(UninstallValue(HKEY_CURRENT_USER, "UninstallString"), folder + "\\OBSC32.EXE /uninstall");
    EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "DisplayName"), "");
    EXPECT_EQ(ReadProductValue("Version"), "12");
}

namespace {
struct BadInput {
    const char* name;
    std::string folder, group;
    bool asks;          // whether the folder question comes first
    bool refused;       // the choices, not a step, are at fault
    std::string error;  // what it throws
};
void PrintTo(const BadInput& c, std::ostream* os) { *os << c.name; }

const std::string kFile = kRoot + "\\dist\\OBSC32.EXE";
const std::string k259 = kRoot + "\\" + std::string(259 - kRoot.size() - 1, 'd');
const std::string k300 = kRoot + "\\" + std::string(300 - kRoot.size() - 1, 'e');
const std::string kFolderFailed = obsc32::kFolderFailedText;

class InstallBadInput : public Install, public ::testing::WithParamInterface<BadInput> {};
}  // namespace

TEST_P(InstallBadInput, IsToldAndNothingIsWritten) {
    const BadInput& c = GetParam();
    EXPECT_EQ(obsc32::Installer::Refusal({c.folder, c.group}), c.refused ? c.error : "");
    try {
        Run(c.folder, c.group);
        ADD_FAILURE() << "no failure";
    } catch (const ui::Error& e) {
        EXPECT_EQ(e.what(), c.error);
    }
    EXPECT_EQ(person_.Said, c.asks ? Texts{Question(c.folder)} : Texts{});
    ExpectNothingWritten();
}

INSTANTIATE_TEST_SUITE_P(
    Choices, InstallBadInput,
    ::testing::Values(
        BadInput{"NoGroup", kRoot + "\\inst", "", false, true, obsc32::kNoGroupText},
        BadInput{"NoFolder", "", kGroup, false, true, obsc32::kNoFolderText},
        BadInput{"GroupWithParentheses", kRoot + "\\inst", "a(b)", false, true,
                 std::string("[ a(b) ]\n") + obsc32::kUnusableGroupText},
        BadInput{"FolderNamesAFile", kFile, kGroup, true, false, "[ " + kFile + " ]\n" + kFolderFailed},
        BadInput{"NoSuchDrive", "Q:\\inst", kGroup, true, false, "[ Q:\\ ]\n" + kFolderFailed},
        BadInput{"Folder259", k259, kGroup, true, false, "[ " + k259 + " ]\n" + kFolderFailed},
        BadInput{"Folder300", k300, kGroup, false, false, "[ " + k300 + " ]\n" + kFolderFailed}),
    [](const ::testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });
