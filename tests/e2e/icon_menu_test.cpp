// The icon submenu of a running cover, chosen with the keyboard, with Wine's own Program Manager making and
// removing the Startup shortcut.
#include <string>

#include "e2e/files.hpp"
#include "e2e/fixture.hpp"

namespace e2e {
namespace {

constexpr const char* kMapGroups = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MapGroups";
const std::string kTitle = "vaz       すみかげ";

class IconMenu : public CoverTest {
protected:
    void SetUp() override {
        CoverTest::SetUp();
        registry::SetString("Version", "12");
        HKEY key = nullptr;
        mapGroupsExisted_ =
            RegOpenKeyExA(HKEY_CURRENT_USER, kMapGroups, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS;
        if (!mapGroupsExisted_)
            RegCreateKeyExA(HKEY_CURRENT_USER, kMapGroups, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr);
        RegSetValueExA(key, "StartUp", 0, REG_SZ, reinterpret_cast<const BYTE*>("StartUp"), 8);
        RegCloseKey(key);
        startupShortcut_ = ShellFolder("Startup") + "\\" + kTitle + ".lnk";
        DeleteFileA(startupShortcut_.c_str());
    }
    void TearDown() override {
        CoverTest::TearDown();
        CloseFolderWindows();
        DeleteFileA(startupShortcut_.c_str());
        if (mapGroupsExisted_) {
            HKEY key = nullptr;
            RegOpenKeyExA(HKEY_CURRENT_USER, kMapGroups, 0, KEY_ALL_ACCESS, &key);
            RegDeleteValueA(key, "StartUp");
            RegCloseKey(key);
        } else {
            RegDeleteKeyA(HKEY_CURRENT_USER, kMapGroups);
        }
    }

    // The group's window Program Manager opens on each CreateGroup.
    static std::vector<HWND> FolderWindows() {
        std::vector<HWND> found;
        for (HWND w : WindowsOf(0, "ExplorerWClass"))
            if (TextOf(w) == "StartUp") found.push_back(w);
        return found;
    }
    // Its process outlives the window under Wine, and would hold on to the test's output: it is ended too.
    static void CloseFolderWindows() {
        std::vector<DWORD> pids;
        for (HWND w : FolderWindows()) {
            pids.push_back(ProcessOf(w));
            PostMessageA(w, WM_CLOSE, 0, 0);
        }
        WaitUntil([] { return FolderWindows().empty(); });
        for (DWORD pid : pids) {
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
            if (!process) continue;
            if (WaitForSingleObject(process, 1000) == WAIT_TIMEOUT) TerminateProcess(process, 0);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }

    // "アイコンの登録／削除" is the fourth item from the end of the full menu.
    void ChooseInIconMenu(int downs) { ChooseInSubmenu(4, downs); }

    bool mapGroupsExisted_ = false;
    std::string startupShortcut_;
};

TEST_F(IconMenu, TheStartupIconIsAddedThenTheSameItemRemovesIt) {
    ASSERT_NO_FATAL_FAILURE(StartCover());
    ASSERT_NO_FATAL_FAILURE(ChooseInIconMenu(0));
    ASSERT_TRUE(WaitUntil([&] { return Exists(startupShortcut_); })) << "no shortcut in the Startup folder";
    EXPECT_EQ(lstrcmpiA(ShortcutTarget(startupShortcut_).c_str(), Program::ExePath().c_str()), 0)
        << ShortcutTarget(startupShortcut_);
    EXPECT_TRUE(WaitUntil([] { return !FolderWindows().empty(); })) << "the group was not made current";
    CloseFolderWindows();
    EXPECT_TRUE(WindowsOf(program_->Pid(), kBoxClass, true).empty()) << "a notice came with the icon";

    // The first item now takes the icon away.
    ASSERT_NO_FATAL_FAILURE(ChooseInIconMenu(0));
    EXPECT_TRUE(WaitUntil([&] { return !Exists(startupShortcut_); })) << "the shortcut is still there";
    EXPECT_TRUE(program_->Running());
    // The group made current again opens its window again.
    WaitUntil([] { return !FolderWindows().empty(); }, 3000);
    CloseFolderWindows();
}

}  // namespace
}  // namespace e2e
