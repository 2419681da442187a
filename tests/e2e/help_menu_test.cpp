// The help submenu of a running cover, chosen with the keyboard: the version reset, the contact notice,
// the about box and the help viewer on a missing help file.
#include <string>

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

TEST_F(HelpMenu, TheHelpCommandOpensTheHelpFileBesideTheProgramInTheViewer) {
    // The distribution folder holds the help file beside the program.
    const std::string exe =
        Program::ExePath().substr(0, Program::ExePath().rfind('\\') + 1) + "dist\\OBSC32.EXE";
    program_ = Program::At(exe);
    cover_ = WaitForReadyCover(*program_);
    ASSERT_NE(cover_, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return FullMenuShowsFirstFaceChecked(); }));
    ASSERT_NO_FATAL_FAILURE(ChooseInHelpMenu(0));
    HWND viewer = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            viewer = FindWindowA("MS_WINHELP", nullptr);
            return viewer && IsWindowVisible(viewer) && TextOf(viewer) == "真っ黒すみかげ ヘルプ";
        },
        3 * kDeadline))
        << (viewer ? TextOf(viewer) : "no viewer");
    // The viewer, started by the program, ends with it.
}

TEST_F(HelpMenu, AMissingHelpFileLeavesTheViewersQuestionAndTheCoverUsable) {
    ASSERT_NO_FATAL_FAILURE(StartCover());
    ASSERT_NO_FATAL_FAILURE(ChooseInHelpMenu(0));
    // The viewer runs in a process of its own, slow to start under load, and asks whether to look for the file.
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND w : WindowsOf(0, kPlatformBox, true))
                if (ProcessOf(w) != program_->Pid() && ProcessOf(w) != GetCurrentProcessId()) question = w;
            return question != nullptr;
        },
        3 * kDeadline))
        << "the viewer asked nothing";
    PostMessageA(question, WM_COMMAND, IDNO, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(question); })) << "the viewer's question stayed";
    EXPECT_NE(OpenMenu(WM_RBUTTONDOWN), nullptr) << "the menus did not come back";
    CancelMenus();
}

}  // namespace
}  // namespace e2e
