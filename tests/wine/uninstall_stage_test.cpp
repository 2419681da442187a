// Stage 2 in the hidden setup window: what it takes from the hand-over, what it deletes and removes.
#include <windows.h>

#include <gtest/gtest.h>

#include "settings/product.hpp"
#include "settings/uninstall_store.hpp"
#include "setup/uninstall_values.hpp"
#include "ui/application.hpp"
#include "ui/registry.hpp"
#include "wine/setup_fixture.hpp"

using namespace testing_wine;

namespace {

class StageTwo : public SetupFixture {
protected:
    void SetUp() override {
        SetupFixture::SetUp();
        ASSERT_TRUE(CreateDirectoryA(made_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
        ASSERT_TRUE(CopyFileA(OBSC32_BUILT_EXE, exe_.c_str(), FALSE));
        obsc32::StartMode = obsc32::StartModes::Uninstall2;
        obsc32::FirstArgument = "/DeleteFile";
    }
    void TearDown() override {
        obsc32::FirstArgument.clear();
        obsc32::DeleteHandOver();
        SetupFixture::TearDown();
    }
    static bool HandOverLeft() { return ui::Registry(HKEY_CURRENT_USER).OpenKey(obsc32::ScratchKey, false); }

    const std::string made_ = std::string(kSetupRoot) + "\\made";
    const std::string folder_ = made_ + "\\OBSC32";
    const std::string exe_ = folder_ + "\\OBSC32.EXE";
};

}  // namespace

TEST_F(StageTwo, TakesCaptionAndColoursFromTheHandOverDeletesTheProgramAndRemovesWhatTheInstallMade) {
    ASSERT_TRUE(obsc32::WriteHandOver({exe_, "題", "", " 255 ", "white", made_}));
    BoxWatcher boxes;
    auto& f = Create();
    ASSERT_TRUE(WaitUntil([] { return !HandOverLeft(); })) << "the hand-over stayed";
    EXPECT_EQ(f.Caption(), "題");
    EXPECT_EQ(ui::Application::Instance().Title(), "題");
    EXPECT_EQ(f.Color(), RGB(255, 0, 0));
    // Not a whole number: the font keeps the colour it had.
    EXPECT_EQ(f.FontColor(), RGB(255, 255, 255));
    ASSERT_TRUE(WaitUntil([&] { return boxes.Count() == 1; }));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"削除が完了しました☆☆☆\r\nお疲れ様☆☆☆"});
    EXPECT_EQ(boxes.Titles(), std::vector<std::string>{"題"});
    EXPECT_FALSE(IsFile(exe_));
    EXPECT_FALSE(IsFolder(made_));
    EXPECT_TRUE(IsFolder(kSetupRoot)) << "a folder the install did not make was removed";
}

TEST_F(StageTwo, GivesUpOnAProgramFileThatCannotBeDeletedAndKeepsItsFolders) {
    ASSERT_TRUE(obsc32::WriteHandOver({exe_, "", "", "", "", made_}));
    // Deleting a read-only file fails, every time.
    ASSERT_TRUE(SetFileAttributesA(exe_.c_str(), FILE_ATTRIBUTE_READONLY));
    BoxWatcher boxes;
    auto& f = Create();
    f.DeleteRetryLimit = 2;
    ASSERT_TRUE(WaitUntil([&] { return boxes.Count() == 1; }));
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ファイルを削除できませんでした・・・\r\n" + exe_});
    EXPECT_EQ(boxes.Titles(), std::vector<std::string>{"UNINSTALL_VANTE000"});
    EXPECT_TRUE(IsFile(exe_));
    EXPECT_TRUE(IsFolder(folder_));
    SetFileAttributesA(exe_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(StageTwo, AskedToKeepTheFoldersItDeletesOnlyTheProgram) {
    ASSERT_TRUE(obsc32::WriteHandOver({exe_, "題", "n", "", "", made_}));
    BoxWatcher boxes;
    Create();
    ASSERT_TRUE(WaitUntil([&] { return boxes.Count() == 1; }));
    EXPECT_FALSE(IsFile(exe_));
    EXPECT_TRUE(IsFolder(folder_));
}
