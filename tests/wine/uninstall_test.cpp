// The two uninstall stages as commands, against the real registry, files and Program Manager: stage 1 from
// an install made by hand, with its temporary copy in a Windows folder of the test's own, run by the setup
// window or alone; stage 2 as the real process stage 1 starts, or on a hand-over the test writes.
#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "common/process.hpp"
#include "common/text.hpp"
#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "settings/uninstall_store.hpp"
#include "setup/uninstall_stage1.hpp"
#include "setup/uninstall_stage2.hpp"
#include "setup/uninstall_values.hpp"
#include "ui/registry.hpp"
#include "ui/scope_guard.hpp"
#include "wine/dde_server.hpp"
#include "wine/setup_fixture.hpp"

using namespace testing_wine;
using Texts = std::vector<std::string>;

namespace {
const std::string kMade = std::string(kSetupRoot) + "\\made";
const std::string kFolder = kMade + "\\OBSC32";
const std::string kExe = kFolder + "\\OBSC32.EXE";
const std::string kWindows = std::string(kSetupRoot) + "\\win\\";
const std::string kGroup = "OBSC32 試験";
const std::string kFirstQuestion =
    "? VANTE vaz       すみかげ V1.2\n" + std::string(obsc32::kUninstallQuestion);
const std::string kCaption = "真っ黒すみかげ V1.2 削除";

bool KeyExists(HKEY root, const char* path) { return ui::Registry(root).OpenKey(path, false).Ok(); }

class Uninstall : public SetupFixture {
protected:
    void SetUp() override {
        SetupFixture::SetUp();
        obsc32::DeleteHandOver();
        ASSERT_TRUE(CreateDirectoryW(testing_common::W(kMade).c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(testing_common::W(kFolder).c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(testing_common::W(kWindows).c_str(), nullptr));
        ASSERT_TRUE(
            CopyFileW(testing_common::W(OBSC32_BUILT_EXE).c_str(), testing_common::W(kExe).c_str(), FALSE));
    }
    void TearDown() override {
        obsc32::DeleteHandOver();
        RemoveTree(Programs() + "\\" + kGroup);
        for (const std::string& link : {Links().back(), StartupLink()})
            DeleteFileW(testing_common::W(link).c_str());
        CloseGroupWindows();
        SetupFixture::TearDown();
    }
    static std::string Programs() { return obsc32::ReadShellFolders().Programs; }
    static std::vector<std::string> Links() {
        const obsc32::ShellFolders f = obsc32::ReadShellFolders();
        const std::string link = std::string("\\") + kLongTitle + ".lnk";
        return {f.Programs + "\\" + kGroup + link, f.Desktop + link};
    }
    static std::string StartupLink() {
        return obsc32::ReadShellFolders().Startup + "\\" + kLongTitle + ".lnk";
    }
    // What an install into kFolder leaves: documents, settings, the Uninstall entry and its icons.
    void InstallByHand() {
        for (const char* name : {"OBSC32.TXT", "OBSC32.HLP", "OBSC32.HTM", "OBSC32.GID"})
            ASSERT_NO_FATAL_FAILURE(WriteFile(kFolder + "\\" + name, name));
        for (const auto& [name, value] : {std::pair<const char*, std::string>{"EXEPATH", kFolder},
                                          {"Group", kGroup},
                                          {"Version", "12"},
                                          {"REC_TXT", "1"}})
            SetProductValue(name, value);
        obsc32::WriteUninstallEntry({"VANTE vaz       すみかげ V1.2", kExe + " /uninstall", kMade, kExe,
                                     "1.2", "VANTE SOFT", kFolder, 1});
        ASSERT_TRUE(CreateDirectoryW(testing_common::W(Programs() + "\\" + kGroup).c_str(), nullptr));
        for (const std::string& link : Links()) ASSERT_NO_FATAL_FAILURE(WriteFile(link, ""));
    }
    // Stage 1 stopped before it removed anything an install made.
    void ExpectNothingRemoved() {
        for (const char* name : {"OBSC32.EXE", "OBSC32.TXT", "OBSC32.HLP", "OBSC32.HTM"})
            EXPECT_TRUE(IsFile(kFolder + "\\" + name));
        for (const std::string& link : Links()) EXPECT_TRUE(IsFile(link)) << link;
        EXPECT_EQ(ReadProductValue("Version"), "12");
        EXPECT_EQ(UninstallValue(HKEY_LOCAL_MACHINE, "UninstallString"), kExe + " /uninstall");
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, obsc32::ScratchKey));
    }
    obsc32::RunContext stage1Run_ = TestRun(kExe, obsc32::StartModes::Uninstall1, "/uninstall", kWindows);
    RecordingPrompter person_;
    ui::DdeClientConv progman_{nullptr, "progman"};
    obsc32::UninstallStage1 stage1_{stage1Run_, person_, progman_};
};

// Stage 2's box, with its text and title, in a process of its own, not this one that ran stage 1: the test
// reads it and answers it, and that process ends.
bool StageTwoReported(const std::string& text, const std::string& title) {
    HWND box = nullptr;
    if (!WaitUntil([&] {
            box = testing_common::VisibleWindowOf(testing_common::kProgramBox);
            return box && testing_common::BoxText(box) == text;
        }))
        return false;
    EXPECT_EQ(testing_common::TextOf(box), title);
    const DWORD pid = testing_common::ProcessOf(box);
    EXPECT_NE(pid, GetCurrentProcessId());
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) return false;
    EXPECT_TRUE(testing_common::ClickBoxButton(box, "ＯＫ"));
    EXPECT_EQ(WaitForSingleObject(process, testing_common::kDeadline), WAIT_OBJECT_0)
        << "stage 2 did not end";
    // Not left running whatever happened.
    TerminateProcess(process, 0);
    CloseHandle(process);
    return true;
}
}  // namespace

TEST_F(Uninstall, YesTwiceRemovesWhatTheInstallMadeAndItsCopyDeletesTheProgram) {
    ASSERT_NO_FATAL_FAILURE(InstallByHand());
    // The Startup icon too, and an entry in the user's own list as an install without administrator rights
    // writes it: one with no record of the folders made, so the machine's record counts.
    ScopedStartupGroup startup("StartUp");
    ASSERT_NO_FATAL_FAILURE(WriteFile(StartupLink(), ""));
    ASSERT_TRUE(testing_common::registry::SetString(HKEY_CURRENT_USER, obsc32::UninstallKey,
                                                    "UninstallString", kExe + " /uninstall"));
    // A copy left by another version is replaced, not started.
    const std::string copy = kWindows + obsc32::UninstallerName;
    ASSERT_NO_FATAL_FAILURE(WriteFile(copy, "an older version's copy"));

    // Stage 1 as the setup window started with "/uninstall" runs it, both questions answered yes.
    BoxWatcher boxes(testing_common::kProgramBox, [](const std::string&) { return "はい"; });
    run_ = stage1Run_;
    const HWND window = Create(obsc32::StartModes::Uninstall1, "/uninstall").Handle();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); })) << "stage 1 did not end";
    EXPECT_EQ(boxes.Texts(), (Texts{"VANTE vaz       すみかげ V1.2\r\nを、ｱﾝｲﾝｽﾂｰﾙしてよろしいですか？？？",
                                    "当ソフトのレジストリー情報も削除してよろしいですか？？"}));
    EXPECT_EQ(boxes.Titles(), (Texts{kCaption, kCaption}));

    for (const char* name : {"OBSC32.TXT", "OBSC32.HLP", "OBSC32.HTM", "OBSC32.GID"})
        EXPECT_FALSE(IsFile(kFolder + "\\" + name));
    std::vector<std::string> links = Links();
    links.push_back(StartupLink());
    for (const std::string& link : links) EXPECT_TRUE(WaitUntil([&] { return !IsFile(link); })) << link;
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        EXPECT_FALSE(KeyExists(root, obsc32::UninstallKey));
    // The settings, and the maker key, which held nothing else.
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, obsc32::ProductKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, obsc32::MakerKey));
    EXPECT_TRUE(FileText(copy) == FileText(OBSC32_BUILT_EXE))
        << "the copy begins " << FileText(copy).substr(0, 32);

    // The copy took the hand-over under the window's caption, deleted the program and removed the folders the
    // machine's entry records.
    ASSERT_TRUE(StageTwoReported("削除が完了しました☆☆☆\r\nお疲れ様☆☆☆", kCaption));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, obsc32::ScratchKey));
    EXPECT_FALSE(IsFile(kExe));
    EXPECT_FALSE(IsFolder(kMade)) << "the folders the install made stayed";
    // Program Manager opens a folder window for each group shown, some only after a while.
    while (WaitUntil(testing_common::GroupWindowsShown, 1500)) CloseGroupWindows();
}

TEST_F(Uninstall, DeclinedItChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(InstallByHand());
    person_.Answer = [](const std::string&) { return 7; };
    EXPECT_FALSE(stage1_.Run({"題", "", ""}));
    EXPECT_EQ(person_.Said, (Texts{kFirstQuestion, obsc32::kUninstallCancelled}));
    ExpectNothingRemoved();
}

TEST_F(Uninstall, AnEntryOnlyAnAdministratorMayDeleteStopsItBeforeAnythingGoes) {
    ASSERT_NO_FATAL_FAILURE(InstallByHand());
    ASSERT_NO_FATAL_FAILURE(MakeMachineEntryReadOnly());
    try {
        stage1_.Run({"題", "", ""});
        ADD_FAILURE() << "it went on";
    } catch (const ui::Error& e) {
        EXPECT_EQ(e.what(), std::string(obsc32::kNeedsAdministrator));
    }
    ExpectNothingRemoved();
}

namespace {
// The user's temporary folder moved where the test says, for as long as it lives.
class ScopedTemp {
public:
    explicit ScopedTemp(const std::string& folder) {
        for (const char* name : {"TMP", "TEMP"})
            SetEnvironmentVariableW(testing_common::W(name).c_str(), testing_common::W(folder).c_str());
    }
    ~ScopedTemp() {
        for (const auto& [name, value] : saved_)
            SetEnvironmentVariableW(testing_common::W(name).c_str(), testing_common::W(value).c_str());
    }

private:
    std::vector<std::pair<const char*, std::string>> saved_{{"TMP", Get("TMP")}, {"TEMP", Get("TEMP")}};
    static std::string Get(const char* name) {
        wchar_t value[MAX_PATH] = {};
        GetEnvironmentVariableW(testing_common::W(name).c_str(), value, MAX_PATH);
        return testing_common::U(value);
    }
};
}  // namespace

TEST_F(Uninstall, WithNoPlaceForItsCopyNothingGoesAndAStandardUsersNextTryRunsFromTheTemporaryFolder) {
    ASSERT_NO_FATAL_FAILURE(InstallByHand());
    // Folders where the copy would go, in the Windows folder and in the temporary one: none can be made.
    const std::string temp = std::string(kSetupRoot) + "\\temp\\";
    ASSERT_TRUE(CreateDirectoryW(testing_common::W(temp).c_str(), nullptr));
    for (const std::string& folder : {kWindows, temp})
        ASSERT_TRUE(CreateDirectoryW(testing_common::W(folder + obsc32::UninstallerName).c_str(), nullptr));
    ScopedTemp moved(temp);
    // This user's own entry, not the machine's, knows the folders made.
    ASSERT_TRUE(
        testing_common::registry::SetString(HKEY_LOCAL_MACHINE, obsc32::UninstallKey, "MadeFolder", kFolder));
    ASSERT_TRUE(
        testing_common::registry::SetString(HKEY_CURRENT_USER, obsc32::UninstallKey, "MadeFolder", kMade));
    person_.Answer = [](const std::string& q) { return q == obsc32::kRegistryQuestion ? 7 : 6; };
    try {
        stage1_.Run({"題", "", ""});
        ADD_FAILURE() << "no failure";
    } catch (const ui::Error& e) {
        EXPECT_EQ(e.what(), std::string(obsc32::kStartFailed1));
    }
    EXPECT_EQ(person_.Said, Texts{kFirstQuestion});
    ExpectNothingRemoved();

    // The temporary folder free again, the Windows folder still closed, as to a standard user.
    ASSERT_TRUE(RemoveDirectoryW(testing_common::W(temp + obsc32::UninstallerName).c_str()));
    ASSERT_TRUE(stage1_.Run({"題", "", ""}));
    EXPECT_EQ(FileText(temp + obsc32::UninstallerName), FileText(OBSC32_BUILT_EXE));
    ASSERT_TRUE(StageTwoReported("削除が完了しました☆☆☆\r\nお疲れ様☆☆☆", "題"));
    EXPECT_FALSE(IsFolder(kMade)) << "the folders of the user's own entry stayed";
    // Asked to keep the settings: all but the version stay, so a new setup proposes the old place.
    auto names = ProductValueNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Texts{"EXEPATH", "Group"}));
}

namespace {
// Stage 2 of a copy started to delete a program, on a hand-over the test writes.
class StageTwo : public Uninstall {
protected:
    void HandOver(const std::string& file, const std::string& rmDir = "") {
        obsc32::WriteHandOver({file, "題", rmDir, "", "", kMade});
    }
    // Tries until the stage says it is done, as its timer would.
    bool Finish() {
        return WaitUntil([&] { return stage2_.TryFinish(); });
    }
    // A copy of the program just built, whose bytes the program it deletes must hold.
    obsc32::RunContext stage2Run_ = TestRun(OBSC32_BUILT_EXE, obsc32::StartModes::Uninstall2, "/DeleteFile");
    obsc32::UninstallStage2 stage2_{stage2Run_};
};
}  // namespace

TEST_F(StageTwo, TakesTheHandOverAndDeletesAHeldProgramOnceReleasedWithTheFoldersTheInstallMade) {
    HandOver(kExe);
    EXPECT_EQ(stage2_.Take().Title, "題");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, obsc32::ScratchKey));
    // Nothing is written to compare with: a temporary folder that is not there is no hindrance.
    ScopedTemp nowhere(std::string(kSetupRoot) + "\\none\\");
    // Held the way a still-running program holds it: no one may delete it meanwhile. Its own file unread,
    // as held by a scanner, keeps it trying too.
    HANDLE held = CreateFileW(testing_common::W(kExe).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    HANDLE own = CreateFileW(testing_common::W(stage2Run_.ProgramPath).c_str(), GENERIC_READ, 0, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(held != INVALID_HANDLE_VALUE && own != INVALID_HANDLE_VALUE);
    stage2_.Begin();
    EXPECT_FALSE(stage2_.TryFinish());
    CloseHandle(held);
    EXPECT_FALSE(stage2_.TryFinish());
    EXPECT_TRUE(IsFile(kExe));
    CloseHandle(own);
    EXPECT_TRUE(Finish());
    EXPECT_FALSE(IsFile(kExe));
    EXPECT_FALSE(IsFolder(kMade));
    EXPECT_TRUE(IsFolder(kSetupRoot)) << "a folder the install did not make was removed";
}

TEST_F(StageTwo, AProgramPutInPlaceOfTheCheckedOneBetweenTriesIsNotDeleted) {
    HandOver(kExe);
    stage2_.Take();
    HANDLE held = CreateFileW(testing_common::W(kExe).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    stage2_.Begin();
    CloseHandle(held);
    // Another file takes the program's name before the next try.
    ASSERT_TRUE(DeleteFileW(testing_common::W(kExe).c_str()));
    ASSERT_NO_FATAL_FAILURE(WriteFile(kExe, "someone else's"));
    try {
        stage2_.TryFinish();
        ADD_FAILURE() << "it went on";
    } catch (const ui::Error& e) {
        EXPECT_EQ(e.what(), std::string(obsc32::kFileNotDeleted) + "\n" + kExe);
    }
    EXPECT_EQ(FileText(kExe), "someone else's");
}

TEST_F(StageTwo, OtherSpellingsOfItsPlacesLeadToTheSameFilesAndAProgramAlreadyGoneLeavesItsFolders) {
    // A dot the system drops: the program is found and deleted, and the folders go.
    HandOver(kExe + ".");
    EXPECT_EQ(stage2_.Take().File, kExe + ".");
    stage2_.Begin();
    EXPECT_TRUE(Finish());
    EXPECT_FALSE(IsFolder(kMade));

    // Handed again once the program is gone (a stage 2 cut short, say): the empty folders go, no error.
    ASSERT_TRUE(CreateDirectoryW(testing_common::W(kMade).c_str(), nullptr) &&
                CreateDirectoryW(testing_common::W(kFolder).c_str(), nullptr));
    HandOver(kExe);
    stage2_.Take();
    stage2_.Begin();
    EXPECT_TRUE(stage2_.TryFinish());
    EXPECT_FALSE(IsFolder(kMade));
}

TEST_F(StageTwo, AJunctionOnTheWayStopsBothTheDeletionAndTheRemoval) {
    // A link to the install's folders, which Wine shows as a reparse point, as Windows shows a junction. It
    // goes before the test's folders are cleared, which would otherwise go through it. Windows calls cannot
    // make or remove a link under Wine, whose wait on the system's own commands may end before they have.
    const std::string link = std::string(kSetupRoot) + "\\link";
    auto attributes = [&] { return GetFileAttributesW(testing_common::W(link).c_str()); };
    ui::ScopeGuard unlink([&] {
        testing_common::Process rm("Z:\\bin\\rm", "link", kSetupRoot);
        WaitUntil([&] { return attributes() == INVALID_FILE_ATTRIBUTES; });
    });
    testing_common::Process ln("Z:\\bin\\ln", "-s made link", kSetupRoot);
    ASSERT_TRUE(WaitUntil([&] {
        return attributes() != INVALID_FILE_ATTRIBUTES && (attributes() & FILE_ATTRIBUTE_REPARSE_POINT);
    }));
    // Stage 1 started through the link finds what stage 2 would refuse before it removes anything.
    ASSERT_NO_FATAL_FAILURE(InstallByHand());
    stage1Run_.ProgramPath = link + "\\OBSC32\\OBSC32.EXE";
    EXPECT_THROW(stage1_.Run({"題", "", ""}), ui::Error);
    ExpectNothingRemoved();
    obsc32::WriteHandOver({link + "\\OBSC32\\OBSC32.EXE", "題", "", "", "", link});
    stage2_.Take();
    EXPECT_THROW(stage2_.Begin(), ui::Error);
    EXPECT_TRUE(IsFile(kExe));

    // With the program gone, only the folders are left: none is removed through the link.
    ASSERT_TRUE(DeleteFileW(testing_common::W(kExe).c_str()));
    obsc32::WriteHandOver({link + "\\OBSC32\\OBSC32.EXE", "題", "", "", "", link});
    stage2_.Take();
    stage2_.Begin();
    EXPECT_TRUE(stage2_.TryFinish());
    EXPECT_TRUE(IsFolder(kFolder));
}

TEST_F(StageTwo, AFolderOfAnotherBesideTheProgramsKeepsTheFoldersAboveIt) {
    // Empty, as a program of another may leave it: not the uninstall's to remove, nor what holds it.
    ASSERT_TRUE(CreateDirectoryW(testing_common::W(kMade + "\\OTHER").c_str(), nullptr));
    HandOver(kExe);
    stage2_.Take();
    stage2_.Begin();
    EXPECT_TRUE(Finish());
    EXPECT_FALSE(IsFile(kExe));
    EXPECT_FALSE(IsFolder(kFolder));
    EXPECT_TRUE(IsFolder(kMade + "\\OTHER"));
}

TEST_F(StageTwo, AskedToKeepTheFoldersItDeletesOnlyTheProgram) {
    HandOver(kExe, "n");
    stage2_.Take();
    stage2_.Begin();
    EXPECT_TRUE(Finish());
    EXPECT_FALSE(IsFile(kExe));
    EXPECT_TRUE(IsFolder(kFolder));
}

TEST_F(StageTwo, GivesUpOnAProgramFileThatCannotBeDeletedAndKeepsItsFolders) {
    HandOver(kExe);
    // Deleting a read-only file fails, every time.
    ASSERT_TRUE(SetFileAttributesW(testing_common::W(kExe).c_str(), FILE_ATTRIBUTE_READONLY));
    stage2_.RetryLimit = 2;
    stage2_.Take();
    stage2_.Begin();
    EXPECT_FALSE(stage2_.TryFinish());
    try {
        stage2_.TryFinish();
        ADD_FAILURE() << "it did not give up";
    } catch (const ui::Error& e) {
        EXPECT_EQ(e.what(), std::string(obsc32::kFileNotDeleted) + "\n" + kExe);
    }
    EXPECT_TRUE(IsFile(kExe));
    EXPECT_TRUE(IsFolder(kFolder));
    SetFileAttributesW(testing_common::W(kExe).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(StageTwo, DeletesNothingItWasNotHandedAsAnotherCopyOfThisProgram) {
    ASSERT_NO_FATAL_FAILURE(WriteFile(kFolder + "\\OBSC32.TXT", "guide"));
    struct Case {
        std::string file, argument;
    };
    for (const Case& c :
         {Case{kFolder + "\\OBSC32.TXT", "/DeleteFile"}, Case{"VERADO32\\OBSC32\\OBSC32.EXE", "/DeleteFile"},
          Case{kFolder + "\\" + std::string(250, 'a') + "\\..\\..\\OBSC32\\OBSC32.EXE", "/DeleteFile"},
          Case{"", "/DeleteFile"}, Case{kExe, "/deletefile"}, Case{kExe, ""},
          // The running copy itself, as spelled and as the system also reads it.
          Case{stage2Run_.ProgramPath, "/DeleteFile"}, Case{stage2Run_.ProgramPath + ". ", "/DeleteFile"}}) {
        SCOPED_TRACE(c.file + " " + c.argument);
        HandOver(c.file);
        stage2Run_.FirstArgument = c.argument;
        stage2_.Take();
        try {
            stage2_.Begin();
            ADD_FAILURE() << "it went on";
        } catch (const ui::Error& e) {
            EXPECT_EQ(e.what(), std::string(obsc32::kParameterError));
        }
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, obsc32::ScratchKey));
        for (const std::string& file : {kExe, kFolder + "\\OBSC32.TXT"}) EXPECT_TRUE(IsFile(file)) << file;
    }
}
