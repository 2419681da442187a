// The help submenu of a running cover, chosen with the keyboard: the version reset, the contact notice,
// the about box, and the help in the old viewer or the browser.
#include <algorithm>
#include <string>

#include "common/text.hpp"
#include "e2e/fixture.hpp"

namespace e2e {
namespace {

const std::string kResetQuestion =
    "ﾊﾞｰｼﾞｮﾝ番号削除：\r\nｲﾝｽﾂｰﾙｿﾌﾄを再起動させたい時に使います。\r\nなお、ﾊﾞｰｼﾞｮﾝが違う時は、ｲﾝｽﾂｰﾙｿﾌﾄが自動"
    "起動する"
    "ので、\r\nﾊﾞｰｼﾞｮﾝ番号を削除する必要無しです。\r\nﾊﾞｰｼﾞｮﾝ番号を削除してもよろしいですか？？？";

class HelpMenu : public CoverTest {
protected:
    void SetUp() override {
        CoverTest::SetUp();
        registry::SetString("Version", "12");
    }
    // "ヘルプ(&H)" is the third item from the end of the full menu.
    void ChooseInHelpMenu(int downs) { ChooseInSubmenu(3, downs); }
    HWND Box(const std::string& text) { return WaitForBoxWithText(program_->Pid(), text); }
    // The distribution folder holds the help file and its page beside the program.
    static std::string DistExe() { return Program::DistFolder() + "OBSC32.EXE"; }
};

TEST_F(HelpMenu, TheResetAnsweredNoKeepsTheVersionAndLeftToItsCountdownEmptiesIt) {
    ASSERT_NO_FATAL_FAILURE(StartCover());
    ASSERT_NO_FATAL_FAILURE(ChooseInHelpMenu(2));
    HWND question = Box(kResetQuestion);
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(ClickBoxButton(question, "いいえ"));
    HWND cancelled = Box("ﾊﾞｰｼﾞｮﾝ番号削除を中止しました・・・");
    ASSERT_NE(cancelled, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(cancelled); }, 15000))
        << "the notice did not close by itself";
    EXPECT_EQ(registry::ReadAll()["Version"], registry::Sz("12"));

    ASSERT_NO_FATAL_FAILURE(ChooseInHelpMenu(2));
    ASSERT_NE(Box(kResetQuestion), nullptr);
    // Left alone, the question answers Yes; the value stays, empty.
    EXPECT_TRUE(WaitUntil([] { return registry::ReadAll()["Version"] == registry::Sz(""); }, 15000));
    EXPECT_TRUE(program_->Running());
    program_.reset();
    Program next;
    EXPECT_NE(next.WaitForWindow(kSetupClass), nullptr) << "the next start did not open the setup window";
}

TEST_F(HelpMenu, AResetThatCannotBeWrittenGoesToTheErrorReportAndTheCoverRunsOn) {
    ASSERT_NO_FATAL_FAILURE(StartCover());
    // Below a volatile maker key the product key cannot be made again.
    registry::DeleteMakerKey();
    ASSERT_TRUE(testing_common::registry::CreateVolatileKey(HKEY_CURRENT_USER, registry::kMakerKey));
    ASSERT_NO_FATAL_FAILURE(ChooseInHelpMenu(2));
    HWND question = Box(kResetQuestion);
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(ClickBoxButton(question, "はい"));
    HWND report = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (report = VisibleWindowOf(kPlatformBox, program_->Pid())); }))
        << "no error report";
    EXPECT_EQ(BoxText(report),
              "レジストリーを開けません・・・\nHKEY_CURRENT_USER\\Software\\VANTE SOFT32\\OBSC32");
    PostMessageA(report, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(report); }));
    EXPECT_NE(OpenMenu(WM_RBUTTONDOWN), nullptr) << "the cover did not run on";
    CancelMenus();
}

TEST_F(HelpMenu, TheContactNoticeHoldsTrayClicksAndTheAboutBoxShowsTheStoredVersion) {
    ASSERT_NO_FATAL_FAILURE(StartCover());
    // The about box shows what is stored when it opens, not the running version.
    registry::SetString("Version", "7");
    ASSERT_NO_FATAL_FAILURE(ChooseInHelpMenu(3));
    HWND notice =
        Box("お問い合わせは、下記へどうぞ☆☆☆\r\nホームページ：\r\nhttp://www.example.com/vante/\r\n"
            "http://vante.example.com/\r\n\r\n電子メール宛先：\r\nvante@example.com");
    ASSERT_NE(notice, nullptr);
    PostTrayEvent(cover_, WM_RBUTTONDOWN, kClickPoint);
    EXPECT_TRUE(HoldsFor([&] { return Menus().empty(); }, 700)) << "a menu opened over the notice";
    ASSERT_TRUE(ClickBoxButton(notice, "ＯＫ"));

    ASSERT_NO_FATAL_FAILURE(ChooseInHelpMenu(4));
    HWND about = program_->WaitForWindow("TAboutBox");
    ASSERT_TRUE(about && WaitUntil([&] { return IsWindowVisible(about) != FALSE; }));
    EXPECT_EQ(TextOf(about), "vaz       すみかげ バージョン情報");
    EXPECT_NE(ChildWithText(about, "TLabel", "Version 0.7"), nullptr);
    EXPECT_NE(ChildWithText(about, "TLabel", "OBSC32.EXE vaz       すみかげ"), nullptr);
    input::Click(CenterOf(ChildWithText(about, "TColorBtn", "Ｏ Ｋ")));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_NE(OpenMenu(WM_RBUTTONDOWN), nullptr) << "the menus did not come back";
    CancelMenus();
}

// Before Vista, as Wine is told for this program, the help file opens in the old viewer.
TEST_F(HelpMenu, BeforeVistaTheHelpCommandOpensTheHelpFileBesideTheProgramInTheViewer) {
    const std::string defaults = "Software\\Wine\\AppDefaults\\OBSC32.EXE";
    testing_common::registry::SavedKey saved(HKEY_CURRENT_USER, defaults);
    ASSERT_TRUE(testing_common::registry::SetString(HKEY_CURRENT_USER, defaults, "Version", "winxp"));
    ASSERT_NO_FATAL_FAILURE(StartCover(DistExe()));
    ASSERT_NO_FATAL_FAILURE(ChooseInHelpMenu(0));
    HWND viewer = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            viewer = FindWindowW(testing_common::W("MS_WINHELP").c_str(), nullptr);
            return viewer && IsWindowVisible(viewer) && TextOf(viewer) == "真っ黒すみかげ ヘルプ";
        },
        3 * kDeadline))
        << (viewer ? TextOf(viewer) : "no viewer");
    // The viewer, started by the program, ends with it.
}

// Wine's own version, Windows 7, has no viewer: the browser gets the page's URL with the anchor. The browser
// here writes down what it was given.
TEST_F(HelpMenu, SinceVistaTheBrowserOpensThePageAtItsContentsAndItsIndex) {
    // Wine reads the classes of the machine only, where Windows lets the user's own come first.
    const std::string command = "Software\\Classes\\http\\shell\\open\\command";
    testing_common::registry::SavedKey saved(HKEY_LOCAL_MACHINE, command);
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string opened = std::string(temp) + "obsc32-opened.txt";
    DeleteFileW(testing_common::W(opened).c_str());
    ASSERT_TRUE(testing_common::registry::SetString(HKEY_LOCAL_MACHINE, command, "",
                                                    "cmd.exe /c echo %1>>\"" + opened + "\""));
    ASSERT_NO_FATAL_FAILURE(StartCover(DistExe()));
    std::string page = DistExe();
    page = "file:///" + page.replace(page.size() - 3, 3, "HTM");
    std::replace(page.begin(), page.end(), '\\', '/');
    ASSERT_NO_FATAL_FAILURE(ChooseInHelpMenu(0));
    EXPECT_TRUE(WaitUntil([&] { return FileBytes(opened) == page + "\r\n"; }, 3 * kDeadline))
        << FileBytes(opened);
    ASSERT_NO_FATAL_FAILURE(ChooseInHelpMenu(1));
    EXPECT_TRUE(WaitUntil([&] { return FileBytes(opened) == page + "\r\n" + page + "#keyword-index\r\n"; },
                          3 * kDeadline))
        << FileBytes(opened);
    DeleteFileW(testing_common::W(opened).c_str());
}

TEST_F(HelpMenu, AMissingHelpPageIsToldAndTheCoverStaysUsable) {
    // The test build of the program has no page beside it.
    ASSERT_NO_FATAL_FAILURE(StartCover());
    ASSERT_NO_FATAL_FAILURE(ChooseInHelpMenu(0));
    const std::string folder = Program::ExePath().substr(0, Program::ExePath().rfind('\\') + 1);
    HWND box = Box("[ " + folder + "OBSC32.HTM ]\r\nヘルプを開けませんでした・・・");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(ClickBoxButton(box, "ＯＫ"));
    EXPECT_NE(OpenMenu(WM_RBUTTONDOWN), nullptr) << "the menus did not come back";
    CancelMenus();
}

}  // namespace
}  // namespace e2e
