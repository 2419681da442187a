// The cover's icon submenu: what it offers follows the shortcut files, the desktop copy is made and taken
// away, and tray clicks are held off while one of its notices is up.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/bmp_files.hpp"
#include "common/files.hpp"
#include "common/text.hpp"
#include "cover/icon_commands.hpp"
#include "shell/progman.hpp"
#include "wine/cover_fixture.hpp"
#include "wine/dde_server.hpp"
#include "wine/shown_menu.hpp"

using namespace testing_wine;
using Texts = std::vector<std::string>;

namespace {
const char kShortcut[] = "the group's shortcut";

const std::string kStartupSet = "アイコンを、スタートアップにも、登録する (&S)";
const std::string kStartupDel = "アイコンを、スタートアップから、削除する (&S)";
const std::string kDesktopSet = "アイコンを、デスクトップにも、登録する (&D)";
const std::string kDesktopDel = "アイコンを、デスクトップから、削除する (&D)";

obsc32::TOBSCURIO32VANTE* shown;
Texts submenu;
Texts boxTexts;
bool busyDuringBox = false;
int popupsDuringBox = -1;
int popups = 0;

void CALLBACK ReadIconSubmenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HMENU menu = ShownMenu();
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        if (MenuItemText(menu, i) != "アイコンの登録／削除") continue;
        HMENU sub = GetSubMenu(menu, i);
        for (int j = 0; j < GetMenuItemCount(sub); ++j) submenu.push_back(MenuItemText(sub, j));
    }
    EndMenu();
}

// While the cover's box is up: a right click on the tray icon, then the box is closed.
void CALLBACK ClickTrayDuringBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = testing_common::VisibleWindowOf(testing_common::kProgramBox, GetCurrentProcessId());
    if (!box) return;
    KillTimer(nullptr, id);
    boxTexts.push_back(testing_common::BoxText(box));
    busyDuringBox = shown->Model.MenuBusy();
    const int before = popups;
    SendMessageA(shown->Handle(), obsc32::WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);
    popupsDuringBox = popups - before;
    PostMessageA(box, WM_CLOSE, 0, 0);
}

std::string Contents(const std::string& path) { return testing_common::FileBytes(path); }

bool Exists(const std::string& path) {
    return GetFileAttributesW(testing_common::W(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

class CoverIcons : public CoverFixture {
protected:
    void SetUp() override {
        CoverFixture::SetUp();
        SetProductValue("Group", "OBSC32テスト");
        CreateStarted();
        shown = cover_;
        cover_->Menus.PopupMenu1.OnPopup = [this](ui::Component* s) {
            ++popups;
            cover_->PopupMenu1Popup(s);
        };
        programs_ = cover_->Icons.ProgramsShortcut();
        desktop_ = cover_->Icons.DesktopShortcut();
        startup_ = cover_->Icons.StartupShortcut();
        programsFolder_ = programs_.substr(0, programs_.rfind('\\'));
        ASSERT_TRUE(CreateDirectoryW(testing_common::W(programsFolder_).c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
        testing_common::SaveBytes(programs_, {kShortcut, kShortcut + sizeof kShortcut - 1});
    }
    void TearDown() override {
        for (const std::string& file : {programs_, desktop_, startup_})
            DeleteFileW(testing_common::W(file).c_str());
        RemoveDirectoryW(testing_common::W(programsFolder_).c_str());
        CoverFixture::TearDown();
    }

    Texts IconSubmenu() {
        submenu.clear();
        SetTimer(nullptr, 0, 150, ReadIconSubmenu);
        SendMessageA(cover_->Handle(), obsc32::WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);
        return submenu;
    }
    // Chosen while the cover's box is up, it shows nothing.
    void ChooseAndAnswer(ui::MenuItem& item) {
        boxTexts.clear();
        busyDuringBox = false;
        popupsDuringBox = -1;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, ClickTrayDuringBox);
        item.Click();
        KillTimer(nullptr, timer);
    }

    std::string programs_, desktop_, startup_, programsFolder_;
};

}  // namespace

TEST_F(CoverIcons, TheDesktopCopyIsOfferedMadeRefusedWhenThereAndTakenAway) {
    ASSERT_FALSE(Exists(desktop_));
    EXPECT_EQ(IconSubmenu(), (Texts{kStartupSet, "", kDesktopSet}));

    ChooseAndAnswer(cover_->Menus.MDESK_SET);
    EXPECT_EQ(boxTexts, Texts{}) << "the copy was not made quietly";
    EXPECT_EQ(Contents(desktop_), kShortcut);
    EXPECT_EQ(IconSubmenu(), (Texts{kStartupSet, "", kDesktopDel}));

    // Already there: only the notice; a tray click meanwhile opens no menu.
    ChooseAndAnswer(cover_->Menus.MDESK_SET);
    EXPECT_EQ(boxTexts, Texts{obsc32::kAlreadyOnDesktop});
    EXPECT_TRUE(busyDuringBox);
    EXPECT_EQ(popupsDuringBox, 0) << "a tray click opened a menu over the notice";
    EXPECT_FALSE(cover_->Model.MenuBusy());
    EXPECT_EQ(IconSubmenu().size(), 3u) << "tray clicks did not work again after the notice";

    ChooseAndAnswer(cover_->Menus.MDESK_DEL);
    EXPECT_FALSE(Exists(desktop_));
    EXPECT_EQ(IconSubmenu(), (Texts{kStartupSet, "", kDesktopSet}));

    // Without the group's shortcut there is nothing to copy.
    DeleteFileW(testing_common::W(programs_).c_str());
    ChooseAndAnswer(cover_->Menus.MDESK_SET);
    EXPECT_EQ(boxTexts, Texts{std::string(obsc32::kDesktopCopyFailed) + "\r\nvaz       すみかげ"});
    EXPECT_FALSE(Exists(desktop_));
}

TEST_F(CoverIcons, TheStartupItemFollowsTheStartupShortcutEachTimeTheMenuOpens) {
    testing_common::SaveBytes(startup_, {'m', 'a', 'd', 'e'});
    EXPECT_EQ(IconSubmenu(), (Texts{kStartupDel, "", kDesktopSet}));
    DeleteFileW(testing_common::W(startup_).c_str());
    EXPECT_EQ(IconSubmenu(), (Texts{kStartupSet, "", kDesktopSet}));
}

TEST_F(CoverIcons, WithoutAStartupGroupTheCommandTellsSoAndTrayClicksWait) {
    ScopedStartupGroup group(nullptr);
    ChooseAndAnswer(cover_->Menus.MICON_SET);
    EXPECT_EQ(boxTexts, Texts{obsc32::kNoStartupGroup});
    EXPECT_TRUE(busyDuringBox);
    EXPECT_EQ(popupsDuringBox, 0);
    EXPECT_FALSE(cover_->Model.MenuBusy());
}
