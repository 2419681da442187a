// The uninstall as the shell starts it: the installed program with "/uninstall" asks, removes what the
// install made and hands the program file to its copy in the Windows folder, which deletes it and reports.
#include <string>
#include <vector>

#include "common/text.hpp"
#include "e2e/fixture.hpp"

namespace e2e {
namespace {

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OBSC32";
constexpr const char* kScratchKey = "Software\\Unin_VANTE SOFT32";
constexpr const char* kMapGroups = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MapGroups";
const std::string kRoot = "C:\\VERADO32";
const std::string kFolder = kRoot + "\\OBSC32";
const std::string kExe = kFolder + "\\OBSC32.EXE";
const std::string kLink = "vaz       すみかげ.lnk";
const char* const kFiles[] = {"OBSC32.EXE", "OBSC32.TXT", "OBSC32.HLP", "OBSC32.HTM"};

using testing_common::registry::KeyExists;
using testing_common::registry::SetString;
using testing_common::registry::StringOf;
std::string TempCopy() {
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path) + "\\unin_vante000.exe";
}
std::string Dist() { return Program::DistFolder(); }

class Uninstall : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        Clean();
        SetString(HKEY_CURRENT_USER, kMapGroups, "StartUp", "StartUp");
    }
    void TearDown() override {
        // Stage 2, started by stage 1, ends with it.
        program_.reset();
        // Stage 1 shows each group before deleting its icon, and Program Manager opens its folder window.
        while (WaitUntil(GroupWindowsShown, 1500)) CloseGroupWindows();
        Clean();
        testing_common::registry::DeleteValue(HKEY_CURRENT_USER, kMapGroups, "StartUp");
        E2eTest::TearDown();
    }
    void Clean() {
        RemoveTree(kRoot);
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            testing_common::registry::DeleteTree(root, kUninstallKey);
        testing_common::registry::DeleteTree(HKEY_CURRENT_USER, kScratchKey);
        DeleteFileW(testing_common::W(TempCopy()).c_str());
        RemoveDirectoryW(testing_common::W(TempCopy()).c_str());
        for (const std::string& link : Links()) DeleteFileW(testing_common::W(link).c_str());
    }
    std::vector<std::string> Links() const {
        return {ShellFolder("Programs") + "\\" + group_ + "\\" + kLink, ShellFolder("Startup") + "\\" + kLink,
                ShellFolder("Desktop") + "\\" + kLink};
    }

    // What an install into the default folder leaves: files, settings, the Uninstall entry and three icons.
    void InstallByHand(const std::string& group) {
        group_ = group;
        CreateDirectoryW(testing_common::W(kRoot).c_str(), nullptr);
        CreateDirectoryW(testing_common::W(kFolder).c_str(), nullptr);
        for (const char* name : kFiles)
            ASSERT_TRUE(CopyFileW(testing_common::W(Dist() + name).c_str(),
                                  testing_common::W(kFolder + "\\" + name).c_str(), FALSE))
                << name;
        for (const auto& [name, value] : {std::pair<const char*, std::string>{"EXEPATH", kFolder},
                                          {"Group", group},
                                          {"Version", "12"},
                                          {"REC_TXT", "1"},
                                          {"VANTE_COLOR", "1"}})
            registry::SetString(name, value);
        SetString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName", "VANTE vaz       すみかげ V1.2");
        SetString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", kExe + " /uninstall");
        SetString(HKEY_LOCAL_MACHINE, kUninstallKey, "MadeFolder", kRoot);
        CreateDirectoryW(testing_common::W(ShellFolder("Programs") + "\\" + group).c_str(), nullptr);
        for (const std::string& link : Links()) {
            HANDLE f = CreateFileW(testing_common::W(link).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   0, nullptr);
            ASSERT_NE(f, INVALID_HANDLE_VALUE) << link;
            CloseHandle(f);
        }
    }

    // Starts stage 1 and answers its two questions; the stage-2 box that follows, or null.
    HWND UninstallAnswering(const char* registryAnswer) {
        HWND done = e2e::UninstallAnswering(program_, kExe, registryAnswer);
        EXPECT_NE(done, nullptr) << "the uninstall did not run to its report";
        return done;
    }

    std::unique_ptr<Program> program_;
    std::string group_ = "VANTE SOFT32";
};

TEST_F(Uninstall, WhileTheCoverRunsItIsRefusedAndNothingChanges) {
    ASSERT_NO_FATAL_FAILURE(InstallByHand("VANTE SOFT32"));
    auto cover = Program::At(kExe);
    ASSERT_NE(WaitForReadyCover(*cover), nullptr);
    program_ = Program::At(kExe, "/uninstall");
    HWND refusal = WaitForBoxWithText(
        program_->Pid(), "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ソフトが起動中です。\r\n終了しないとｱﾝｲﾝｽﾂｰﾙ出来ません。");
    ASSERT_NE(refusal, nullptr);
    EXPECT_TRUE(ClickBoxButton(refusal, "ＯＫ"));
    EXPECT_TRUE(program_->WaitForExit());
    for (const char* name : kFiles) EXPECT_TRUE(Exists(kFolder + "\\" + name)) << name;
    for (const std::string& link : Links()) EXPECT_TRUE(Exists(link)) << link;
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_EQ(registry::ReadAll()["Version"], registry::Sz("12"));
    EXPECT_FALSE(Exists(TempCopy()));
    EXPECT_TRUE(cover->Running());
    EXPECT_EQ(WindowsOf(0, kCoverClass).size(), 1u);
}

// The program's folder may be writable by every user, as the default one is: the uninstall loads no file
// there named after a system library it loads on first use (its boxes' icons need msimg32, its hints
// comctl32).
TEST_F(Uninstall, LoadsNoLibraryPlantedBesideTheProgram) {
    // Wine prefers its own build of a system library wherever the file lies, unless told to take the file
    // first as Windows does. (Wine's own user32 and imm32 load version and ole32 past the program's reach.)
    const std::string overrides = "Software\\Wine\\AppDefaults\\OBSC32.EXE\\DllOverrides";
    testing_common::registry::SavedKey saved(HKEY_CURRENT_USER, overrides);
    ASSERT_NO_FATAL_FAILURE(InstallByHand("VANTE SOFT32"));
    for (const char* name : {"msimg32", "comctl32"}) {
        SetString(HKEY_CURRENT_USER, overrides, name, "native,builtin");
        ASSERT_TRUE(CopyFileW(testing_common::W(OBSC32_PLANTED_LIBRARY).c_str(),
                              testing_common::W(kFolder + "\\" + name + ".dll").c_str(), FALSE));
    }
    HWND done = UninstallAnswering("はい");
    for (const char* name : {"msimg32", "comctl32"})
        EXPECT_FALSE(Exists(kFolder + "\\" + name + ".dll.loaded")) << name << ".dll was loaded";
    ASSERT_NE(done, nullptr);
    EXPECT_TRUE(ClickBoxButton(done, "ＯＫ"));
}

}  // namespace
}  // namespace e2e

namespace e2e {
namespace {

// The exit code of a run the program ended itself at its stop point (OBSC32_STOP_AT).
constexpr DWORD kStopped = 0x5709;

class InterruptedUninstall : public Uninstall {
protected:
    void TearDown() override {
        SetEnvironmentVariableW(testing_common::W("OBSC32_STOP_AT").c_str(), nullptr);
        Uninstall::TearDown();
    }
    // Starts stage 1, answers yes to whatever it asks, and waits for it to end.
    void UninstallUntil(const std::string& stop) {
        SetEnvironmentVariableW(testing_common::W("OBSC32_STOP_AT").c_str(), testing_common::W(stop).c_str());
        program_ = Program::At(kExe, "/uninstall");
        ASSERT_TRUE(WaitUntil([&] {
            HWND box = testing_common::VisibleWindowOf(kBoxClass, program_->Pid());
            const std::string text = box ? testing_common::BoxText(box) : "";
            if (text == kUninstallQuestion || text == kUninstallRegistryQuestion) ClickBoxButton(box, "はい");
            return !program_->Running();
        })) << stop
            << " was not reached";
    }
    static std::string UninstallString() {
        return StringOf(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString");
    }
};

TEST_F(InterruptedUninstall, CutShortAtEveryStepTheNextUninstallRemovesAllButTheUsersFiles) {
    ASSERT_NO_FATAL_FAILURE(InstallByHand("VANTE SOFT32"));
    // Only the test build of the program has stop points.
    ASSERT_TRUE(
        CopyFileW(testing_common::W(OBSC32_TEST_BUILD_EXE).c_str(), testing_common::W(kExe).c_str(), FALSE));
    const std::string inside = kFolder + "\\memo.txt", beside = kRoot + "\\mine.txt";
    for (const std::string& file : {inside, beside})
        ASSERT_TRUE(CopyFileW(testing_common::W(Dist() + "OBSC32.TXT").c_str(),
                              testing_common::W(file).c_str(), FALSE));
    for (int step = 1; step <= 6; ++step) {
        ASSERT_NO_FATAL_FAILURE(UninstallUntil("uninstall:" + std::to_string(step)));
        EXPECT_EQ(program_->ExitCode(), kStopped) << "step " << step;
        // The program is still there, so the shell must still be able to start its uninstall.
        EXPECT_TRUE(Exists(kExe));
        EXPECT_EQ(UninstallString(), kExe + " /uninstall") << "after step " << step;
        for (const std::string& file : {inside, beside})
            EXPECT_TRUE(Exists(file)) << file << ", step " << step;
    }
    // Stage 2 ended as soon as it has taken the hand-over: the program file stays, and so does its uninstall.
    ASSERT_NO_FATAL_FAILURE(UninstallUntil("uninstall2:1"));
    EXPECT_EQ(program_->ExitCode(), 0u);
    EXPECT_TRUE(WaitUntil([] { return WindowsOf(0, kSetupClass).empty(); })) << "stage 2 did not end";
    EXPECT_TRUE(Exists(kExe));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kScratchKey));

    SetEnvironmentVariableW(testing_common::W("OBSC32_STOP_AT").c_str(), nullptr);
    HWND done = UninstallAnswering("はい");
    ASSERT_NE(done, nullptr);
    for (const char* name : kFiles) EXPECT_FALSE(Exists(kFolder + "\\" + name)) << name;
    for (const std::string& file : {inside, beside})
        EXPECT_EQ(FileBytes(file), FileBytes(Dist() + "OBSC32.TXT")) << file;
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) EXPECT_FALSE(KeyExists(root, kUninstallKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, registry::kProductKey));
    for (const std::string& link : Links()) EXPECT_TRUE(WaitUntil([&] { return !Exists(link); })) << link;
    EXPECT_TRUE(ClickBoxButton(done, "ＯＫ"));
}

}  // namespace
}  // namespace e2e
