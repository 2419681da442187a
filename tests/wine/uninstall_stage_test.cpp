// The hidden setup window of a stage 2: it looks as the hand-over says, and its boxes carry that title.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "settings/product.hpp"
#include "settings/uninstall_store.hpp"
#include "ui/application.hpp"
#include "ui/registry.hpp"
#include "wine/setup_fixture.hpp"

using namespace testing_wine;

namespace {
class StageTwoWindow : public SetupFixture {
protected:
    void TearDown() override {
        obsc32::DeleteHandOver();
        SetupFixture::TearDown();
    }
    const std::string made_ = std::string(kSetupRoot) + "\\made";
    const std::string exe_ = made_ + "\\OBSC32.EXE";
};
}  // namespace

TEST_F(StageTwoWindow, TakesCaptionAndColoursFromTheHandOverAndReportsUnderThem) {
    ASSERT_TRUE(CreateDirectoryW(testing_common::W(made_).c_str(), nullptr));
    // This window's program, whose bytes the program it deletes must hold.
    for (const std::string& file : {exe_, Source() + "OBSC32.EXE"})
        ASSERT_TRUE(
            CopyFileW(testing_common::W(OBSC32_BUILT_EXE).c_str(), testing_common::W(file).c_str(), FALSE));
    obsc32::WriteHandOver({exe_, "題", "", " 255 ", "white", made_});
    BoxWatcher boxes;
    auto& f = Create(obsc32::StartModes::Uninstall2, "/DeleteFile");
    ASSERT_TRUE(WaitUntil([&] { return boxes.Count() == 1; }));
    EXPECT_EQ(f.Caption(), "題");
    EXPECT_EQ(f.Color(), RGB(255, 0, 0));
    // Not a whole number: the font keeps the colour it had.
    EXPECT_EQ(f.FontColor(), RGB(255, 255, 255));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"削除が完了しました☆☆☆\r\nお疲れ様☆☆☆"});
    EXPECT_EQ(boxes.Titles(), std::vector<std::string>{"題"});
    EXPECT_FALSE(IsFolder(made_));
}

TEST_F(StageTwoWindow, WithoutAHandOverItTellsTheParameterErrorInItsOwnColoursAndCaption) {
    BoxWatcher boxes;
    Create(obsc32::StartModes::Uninstall2, "/DeleteFile");
    ASSERT_TRUE(WaitUntil([&] { return boxes.Count() == 1; }));
    EXPECT_EQ(boxes.Titles(), std::vector<std::string>{"UNINSTALL_VANTE000"});
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{
                  "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ﾊﾟﾗﾒｰﾀｰが不正です・・・\r\n[VANTE SOFT32]専用のｱﾝｲﾝｽﾂｰﾙｿﾌﾄです。"});
}
