// A new user's first start from the distribution folder: the setup window, clicked as a person would,
// installs the program, and the next start runs the cover.
#include <string>
#include <utility>

#include "common/text.hpp"
#include "e2e/fixture.hpp"

namespace e2e {
namespace {

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OBSC32";
const std::string kShortcutName = "vaz       すみかげ.lnk";
const char* const kFiles[] = {"OBSC32.EXE", "OBSC32.TXT", "OBSC32.HLP", "OBSC32.HTM"};

std::string UninstallValue(const char* name) {
    return testing_common::registry::StringOf(HKEY_LOCAL_MACHINE, kUninstallKey, name);
}

class SetupInstall : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        testing_common::registry::DeleteTree(HKEY_LOCAL_MACHINE, kUninstallKey);
        // The distribution as built, copied into the test's own drive.
        CreateDirectoryW(testing_common::W(Program::ScratchFolder()).c_str(), nullptr);
        CreateDirectoryW(testing_common::W(Dist()).c_str(), nullptr);
        const std::string built = Program::DistFolder();
        for (const char* name : kFiles)
            ASSERT_TRUE(CopyFileW(testing_common::W(built + name).c_str(),
                                  testing_common::W(Dist() + name).c_str(), FALSE))
                << built << name;
    }
    void TearDown() override {
        program_.reset();
        // Program Manager opens a group's folder window a while after its CreateGroup: it must not be left
        // in front of the next test.
        WaitUntil(GroupWindowsShown, 3000);
        CloseGroupWindows();
        // A second group's window may follow the first.
        while (WaitUntil(GroupWindowsShown, 1500)) CloseGroupWindows();
        testing_common::registry::DeleteTree(HKEY_LOCAL_MACHINE, kUninstallKey);
        for (const std::string& made : made_) {
            DeleteFileW(testing_common::W(made).c_str());
            RemoveTree(made);
        }
        RemoveTree(Dist());
        E2eTest::TearDown();
    }
    static std::string Dist() { return Program::ScratchFolder() + "dist\\"; }

    // The setup window once it shows its group list.
    HWND StartSetup() {
        program_ = Program::At(Dist() + "OBSC32.EXE");
        HWND setup = nullptr;
        WaitUntil([&] {
            setup = program_->Window(kSetupClass);
            HWND combo = setup
                             ? FindWindowExW(setup, nullptr, testing_common::W("TComboBox").c_str(), nullptr)
                             : nullptr;
            return combo && IsWindowVisible(setup) && SendMessageA(combo, CB_GETCOUNT, 0, 0) > 0;
        });
        return setup;
    }
    // The completion box, with everything written before it shows. Under Wine, once Program Manager has
    // opened the group's folder window, the box at times takes no input at all (sent messages are still
    // answered): the tests read what the install did while it shows, and close it as the shell would.
    void SeeBox(const std::string& text, HWND* seen = nullptr) {
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            return (box = testing_common::VisibleWindowOf(kBoxClass, program_->Pid()));
        })) << "no box: "
            << text;
        EXPECT_EQ(testing_common::BoxText(box), text);
        if (seen) *seen = box;
    }
    // Waits for the program's box, checks its text and clicks the button.
    void Answer(const std::string& text, const std::string& button) {
        HWND box = nullptr;
        ASSERT_NO_FATAL_FAILURE(SeeBox(text, &box));
        ASSERT_TRUE(ClickBoxButton(box, button))
            << button << " did not close the box; showing: " << Showing();
    }
    // Wine's Program Manager opens the group's folder window for CreateGroup, in a process of its own and in
    // front of everything; a person closes it before answering the completion box.
    static void CloseTheGroupWindow() {
        ASSERT_TRUE(WaitUntil(GroupWindowsShown)) << "Program Manager opened no group window";
        // One window a CreateGroup: a second group's may follow the first.
        int count = 0;
        WaitUntilSteady(
            [&] {
                const int now = static_cast<int>(WindowsOf(0, "ExplorerWClass").size());
                return std::exchange(count, now) == now;
            },
            700);
        // Closed as a person closes it; its process is ended only when the test ends.
        for (HWND w : WindowsOf(0, "ExplorerWClass")) PostMessageA(w, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([] { return WindowsOf(0, "ExplorerWClass", true).empty(); }));
    }
    // The program's visible windows and their texts, for a failure's message.
    std::string Showing() const {
        std::string seen;
        for (HWND w : program_->VisibleWindows()) seen += "[" + ClassOf(w) + " " + TextOf(w) + "] ";
        return seen;
    }
    void ExpectInstalledIn(const std::string& folder) {
        for (const char* name : kFiles)
            EXPECT_EQ(FileBytes(folder + "\\" + name), FileBytes(Dist() + name)) << name;
        EXPECT_EQ(UninstallValue("UninstallString"), folder + "\\OBSC32.EXE /uninstall");
        EXPECT_EQ(UninstallValue("DisplayName"), "VANTE vaz       すみかげ V1.2");
        auto values = registry::ReadAll();
        EXPECT_EQ(values["EXEPATH"], registry::Sz(folder));
        EXPECT_EQ(values["Version"], registry::Sz("12"));
    }

    std::unique_ptr<Program> program_;
    std::vector<std::string> made_;
};

}  // namespace

TEST_F(SetupInstall, AFirstRunInstallsWhereProposedAndTheNextStartRunsTheCover) {
    const std::string folder = "C:\\VERADO32\\OBSC32";
    const std::string shortcut = ShellFolder("Programs") + "\\VANTE SOFT32\\" + kShortcutName;
    made_ = {"C:\\VERADO32", shortcut};
    RemoveTree("C:\\VERADO32");
    HWND setup = StartSetup();
    ASSERT_NE(setup, nullptr) << "no setup window with its groups";
    EXPECT_EQ(TextOf(setup), "真っ黒すみかげ V1.2 登録");
    EXPECT_EQ(TextOf(FindWindowExW(setup, nullptr, testing_common::W("EDIT").c_str(), nullptr)), folder);

    input::Click(CenterOf(ChildWithText(setup, "TColorBtn", "設定")));
    ASSERT_NO_FATAL_FAILURE(Answer(folder + "\r\nフォルダーを作成します", "はい"));
    ASSERT_NO_FATAL_FAILURE(
        SeeBox("登録完了です。\r\n\r\n[ VANTE SOFT32 ]\r\nグループに登録しました☆☆\r\nお疲れ様☆☆"));

    ExpectInstalledIn(folder);
    EXPECT_EQ(registry::ReadAll()["Group"], registry::Sz("VANTE SOFT32"));
    EXPECT_TRUE(WaitUntil([&] { return Exists(shortcut); })) << shortcut;
    EXPECT_EQ(ShortcutTarget(shortcut), folder + "\\OBSC32.EXE");

    // Closing the completion box ends the setup; then the installed copy starts.
    program_->End();
    ASSERT_NO_FATAL_FAILURE(CloseTheGroupWindow());
    program_ = Program::At(folder + "\\OBSC32.EXE");
    EXPECT_NE(WaitForReadyCover(*program_), nullptr) << "the installed program did not run the cover";
}

// A user whose folders are under "André" installs into a folder named in another language, which the
// uninstall then takes away with all it put there and nothing else. Run in a Western code page too.
class AnyLanguage : public SetupInstall {
protected:
    void SetUp() override {
        SetupInstall::SetUp();
        for (const char* name : {"Desktop", "Programs", "Startup"}) {
            const std::string folder = kUser + "\\" + name;
            ASSERT_TRUE(testing_common::registry::SetString(HKEY_CURRENT_USER, kShell, name, folder));
            ASSERT_TRUE(testing_common::registry::SetString(HKEY_CURRENT_USER, kUserShell, name, folder));
        }
        made_ = {kUser, kRoot};
        for (const std::string& folder : {kUser, kUser + "\\Programs", kRoot})
            CreateDirectoryW(testing_common::W(folder).c_str(), nullptr);
    }
    const std::string kUser = "C:\\users\\André";
    // A Western letter, and Korean, which neither code page 932 nor 1252 holds.
    const std::string kRoot = "C:\\Café한국어";
    const std::string kShell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      kUserShell =
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    testing_common::registry::SavedKey shell_{HKEY_CURRENT_USER, kShell},
        userShell_{HKEY_CURRENT_USER, kUserShell};
};

TEST_F(AnyLanguage, TheSetupInstallsThereAndTheUninstallTakesAwayExactlyWhatItPut) {
    const std::string folder = kRoot + "\\Tools", mine = kRoot + "\\mine.txt";
    ASSERT_TRUE(
        CopyFileW(testing_common::W(Dist() + "OBSC32.TXT").c_str(), testing_common::W(mine).c_str(), FALSE));
    HWND setup = StartSetup();
    ASSERT_NE(setup, nullptr) << "no setup window with its groups";
    EXPECT_EQ(TextOf(setup), "真っ黒すみかげ V1.2 登録");
    HWND edit = FindWindowExW(setup, nullptr, L"EDIT", nullptr);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(testing_common::W(folder).c_str()));
    input::Click(CenterOf(ChildWithText(setup, "TColorBtn", "設定")));
    ASSERT_NO_FATAL_FAILURE(Answer(folder + "\r\nフォルダーを作成します", "はい"));
    ASSERT_NO_FATAL_FAILURE(
        SeeBox("登録完了です。\r\n\r\n[ VANTE SOFT32 ]\r\nグループに登録しました☆☆\r\nお疲れ様☆☆"));
    ExpectInstalledIn(folder);
    const std::string group = kUser + "\\Programs\\VANTE SOFT32";
    EXPECT_TRUE(WaitUntil([&] { return Exists(group); })) << group;
    // Wine's Program Manager refuses a wide command past U+00FF, and the system's code page spells no such
    // folder: it makes no icon here, where Windows takes the wide command whole.
    program_->End();
    while (WaitUntil(GroupWindowsShown, 1500)) CloseGroupWindows();

    HWND done = UninstallAnswering(program_, folder + "\\OBSC32.EXE", "はい");
    ASSERT_NE(done, nullptr) << "the uninstall did not run to its report; showing: " << Showing();
    EXPECT_TRUE(ClickBoxButton(done, "ＯＫ"));
    EXPECT_TRUE(WaitUntil([&] { return !Exists(folder); })) << folder;
    EXPECT_EQ(FileBytes(mine), FileBytes(Dist() + "OBSC32.TXT"));
    EXPECT_EQ(UninstallValue("UninstallString"), "<none>");
    EXPECT_TRUE(registry::ReadAll().empty());
}

}  // namespace e2e

namespace e2e {
namespace {

// The exit code of a run the program ended itself at its stop point (OBSC32_STOP_AT).
constexpr DWORD kStopped = 0x5709;

class InterruptedInstall : public SetupInstall {
protected:
    // Only the test build of the program has stop points; it installs from the distribution in its place.
    void SetUp() override {
        SetupInstall::SetUp();
        ASSERT_TRUE(CopyFileW(testing_common::W(OBSC32_TEST_BUILD_EXE).c_str(),
                              testing_common::W(Dist() + "OBSC32.EXE").c_str(), FALSE));
    }
    void TearDown() override {
        SetEnvironmentVariableW(testing_common::W("OBSC32_STOP_AT").c_str(), nullptr);
        SetupInstall::TearDown();
    }
    // Clicks 設定 once nothing lies over it (a group window of an earlier run may).
    void ClickInstall(HWND setup) {
        HWND button = ChildWithText(setup, "TColorBtn", "設定");
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(WaitUntil([&] {
            if (GetAncestor(WindowFromPoint(CenterOf(button)), GA_ROOT) == setup) return true;
            CloseGroupWindows();
            return false;
        })) << "something lies over the setup window";
        input::Click(CenterOf(button));
    }
    // Runs the setup from the distribution up to the stop point, answering the folder question if asked.
    void InstallUntil(int step) {
        SetEnvironmentVariableW(testing_common::W("OBSC32_STOP_AT").c_str(),
                                testing_common::W("install:" + std::to_string(step)).c_str());
        HWND setup = StartSetup();
        ASSERT_NE(setup, nullptr) << "no setup window with its groups before step " << step;
        ASSERT_NO_FATAL_FAILURE(ClickInstall(setup));
        ASSERT_TRUE(WaitUntil([&] {
            if (HWND box = testing_common::VisibleWindowOf(kBoxClass, program_->Pid()))
                if (testing_common::BoxText(box).find("フォルダーを作成します") != std::string::npos)
                    ClickBoxButton(box, "はい");
            return !program_->Running();
        })) << "step "
            << step << " was not reached; showing: " << Showing();
        EXPECT_EQ(program_->ExitCode(), kStopped) << "step " << step;
    }
};

// Each start takes over what the one cut short before it left, so each step is recovered from in turn.
TEST_F(InterruptedInstall, CutShortAtEveryStepTheNextStartGoesOnAndNoFileOfTheUsersGoes) {
    const std::string root = "C:\\VERADO32", folder = root + "\\OBSC32";
    made_ = {root, ShellFolder("Programs") + "\\VANTE SOFT32\\" + kShortcutName};
    RemoveTree(root);
    // The user's own folder where the install makes its own, with a file beside the install folder and,
    // once that is made, one in it.
    ASSERT_TRUE(CreateDirectoryW(testing_common::W(root).c_str(), nullptr));
    const std::string beside = root + "\\mine.txt", inside = folder + "\\memo.txt";
    ASSERT_TRUE(CopyFileW(testing_common::W(Dist() + "OBSC32.TXT").c_str(), testing_common::W(beside).c_str(),
                          FALSE));
    // Step 0 ends it with the install folder recorded and not yet made.
    for (int step = 0; step <= 9; ++step) {
        ASSERT_NO_FATAL_FAILURE(InstallUntil(step));
        if (step == 1) {
            ASSERT_TRUE(Exists(folder));
            ASSERT_TRUE(
                CopyFileW(testing_common::W(beside).c_str(), testing_common::W(inside).c_str(), FALSE));
        }
        EXPECT_EQ(FileBytes(beside), FileBytes(Dist() + "OBSC32.TXT")) << "after step " << step;
        EXPECT_EQ(FileBytes(inside), step > 0 ? FileBytes(Dist() + "OBSC32.TXT") : "<none>")
            << "after step " << step;
    }
    // Stopped after the version was written, only the completion box is missing.
    ExpectInstalledIn(folder);
    // The folder the first run made is still known to the uninstall, though that run ended before its entry.
    EXPECT_EQ(UninstallValue("MadeFolder"), folder);
    SetEnvironmentVariableW(testing_common::W("OBSC32_STOP_AT").c_str(), nullptr);
    program_ = Program::At(folder + "\\OBSC32.EXE");
    EXPECT_NE(WaitForReadyCover(*program_), nullptr) << "the installed program did not run the cover";
}

}  // namespace
}  // namespace e2e
