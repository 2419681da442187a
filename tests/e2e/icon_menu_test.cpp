// The icon submenu of a running cover, chosen with the keyboard, with Wine's own Program Manager making and
// removing the Startup shortcut.
#include <string>

#include "common/text.hpp"
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
        mapGroups_ = std::make_unique<testing_common::registry::SavedKey>(HKEY_CURRENT_USER, kMapGroups);
        testing_common::registry::SetString(HKEY_CURRENT_USER, kMapGroups, "StartUp", "StartUp");
        startupShortcut_ = ShellFolder("Startup") + "\\" + kTitle + ".lnk";
        DeleteFileW(testing_common::W(startupShortcut_).c_str());
    }
    void TearDown() override {
        CoverTest::TearDown();
        CloseGroupWindows();
        DeleteFileW(testing_common::W(startupShortcut_).c_str());
        mapGroups_.reset();
    }

    // "アイコンの登録／削除" is the fourth item from the end of the full menu.
    void ChooseInIconMenu(int downs) { ChooseInSubmenu(4, downs); }

    std::unique_ptr<testing_common::registry::SavedKey> mapGroups_;
    std::string startupShortcut_;
};

TEST_F(IconMenu, TheStartupIconIsAddedThenTheSameItemRemovesIt) {
    ASSERT_NO_FATAL_FAILURE(StartCover());
    ASSERT_NO_FATAL_FAILURE(ChooseInIconMenu(0));
    ASSERT_TRUE(WaitUntil([&] { return Exists(startupShortcut_); })) << "no shortcut in the Startup folder";
    EXPECT_EQ(lstrcmpiA(ShortcutTarget(startupShortcut_).c_str(), Program::ExePath().c_str()), 0)
        << ShortcutTarget(startupShortcut_);
    EXPECT_TRUE(WaitUntil(GroupWindowsShown)) << "the group was not made current";
    CloseGroupWindows();
    EXPECT_TRUE(WindowsOf(program_->Pid(), kBoxClass, true).empty()) << "a notice came with the icon";

    // The first item now takes the icon away.
    ASSERT_NO_FATAL_FAILURE(ChooseInIconMenu(0));
    EXPECT_TRUE(WaitUntil([&] { return !Exists(startupShortcut_); })) << "the shortcut is still there";
    EXPECT_TRUE(program_->Running());
    // The group made current again opens its window again.
    WaitUntil(GroupWindowsShown, 3000);
    CloseGroupWindows();
}

}  // namespace
}  // namespace e2e
