// The folder picker on bad roads: folders it cannot list or open, drives that fail, and the recovery that
// must end. Each ends in the picker's own box (or quietly, where that is the rule) and a picker still usable.
#include <atomic>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/bmp_files.hpp"
#include "common/files.hpp"
#include "common/import_patch.hpp"
#include "common/text.hpp"
#include "wine/picker_fixture.hpp"

using namespace testing_wine;

namespace {

std::atomic<bool> drivesFail{false};
ImportPatch* spacePatch = nullptr;
BOOL WINAPI NoDriveAnswers(LPCWSTR root, PULARGE_INTEGER a, PULARGE_INTEGER b, PULARGE_INTEGER c) {
    if (!drivesFail) return spacePatch->Original<decltype(&GetDiskFreeSpaceExW)>()(root, a, b, c);
    SetLastError(ERROR_NOT_READY);
    return FALSE;
}

bool NoBoxFor(testing_common::Millis ms) {
    return HoldsFor([] { return testing_common::VisibleWindowOf("TMKBox") == nullptr; }, ms);
}

}  // namespace

TEST_F(PickerTest, AFolderThatCannotBeListedFallsBackToItsDrivesRoot) {
    // Its search pattern would pass MAX_PATH, so it can be entered but not listed.
    dlg.Directory = kLong;
    dlg.Title = "登録先";
    // Centred over its source window rather than the main window.
    HWND source = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 120, 300, 200, nullptr,
                                  nullptr, nullptr, nullptr);
    dlg.SourceHandle = source;
    SeenBox box;
    RECT picker{};
    std::string chosen;
    Rows rows;
    int selected = -1;
    DriveFromStart([&] {
        // The box comes while the picker opens, before it is shown, centred where it will be.
        box = CloseNextBox();
        GetWindowRect(FindWindowW(testing_common::W("TDIRVIEWForm").c_str(), nullptr), &picker);
        PickerParts p = WaitForPicker();
        chosen = TextOf(p.Chosen);
        rows = RowsOf(p.Folders);
        selected = ListSelection(p.Folders);
        ClickAt(p.Set);
    });
    EXPECT_EQ(dlg.Execute(), "c:\\");
    driver_.join();
    DestroyWindow(source);
    EXPECT_NEAR((picker.left + picker.right) / 2, 100 + 300 / 2, 1);
    EXPECT_NEAR((picker.top + picker.bottom) / 2, 120 + 200 / 2, 1);
    EXPECT_EQ(box.Title, "登録先");
    EXPECT_EQ(box.Text, "フォルダー・エラー発生\r\nエラーを回避してみます。");
    EXPECT_NEAR((box.Rect.left + box.Rect.right) / 2, (picker.left + picker.right) / 2, 1);
    EXPECT_NEAR((box.Rect.top + box.Rect.bottom) / 2, (picker.top + picker.bottom) / 2, 1);
    EXPECT_EQ(chosen, "c:\\");
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], "c:\\");
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(Lower(CurrentDirectory()), "c:\\");
}

TEST_F(PickerTest, AnEmptyOrOverLongStartFolderOpensAtTheProgramsFolder) {
    const std::string program = Lower(ProgramFolder());
    std::string chosen, drive;
    Drive([&](const PickerParts& p) {
        chosen = TextOf(p.Chosen);
        drive = ComboRows(p.Drives).at(ComboSelection(p.Drives));
        ClickAt(p.Cancel);
    });
    EXPECT_EQ(dlg.Execute(), "");
    driver_.join();
    EXPECT_EQ(chosen, program);
    EXPECT_EQ(drive, "z:[]");

    // An over-long folder is no folder: nothing is said, and the close box gives nothing either.
    dlg.Directory = "C:\\" + std::string(300, 'x') + "\\y";
    bool quiet = false;
    Drive([&](const PickerParts& p) {
        chosen = TextOf(p.Chosen);
        quiet = NoBoxFor(300);
        PostMessageA(p.Form, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    BoxWatcher boxes;
    EXPECT_EQ(dlg.Execute(), "");
    driver_.join();
    EXPECT_EQ(chosen, program);
    EXPECT_TRUE(quiet);
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(PickerTest, RecoveryEndsAfterTheWindowsDrivesRootFailsTooAndThePickerStaysUsable) {
    ImportPatch patch("kernel32.dll", "GetDiskFreeSpaceExW", reinterpret_cast<void*>(&NoDriveAnswers));
    ASSERT_TRUE(patch.Installed());
    spacePatch = &patch;
    SeenBox first, second;
    bool noMore = false;
    std::string chosen;
    DriveFromStart([&] {
        first = CloseNextBox();
        second = CloseNextBox();
        PickerParts p = WaitForPicker();
        noMore = NoBoxFor(1500) && IsWindowEnabled(p.Form);
        // The drives answer again: the picker goes on from here.
        drivesFail = false;
        if (HWND list = DropDrives(p)) {
            ClickRow(list, 0);
            WaitUntilSteady([&] { return TextOf(p.Chosen) == "c:\\"; }, 100);
        }
        chosen = TextOf(p.Chosen);
        ClickAt(p.Set);
    });
    drivesFail = true;
    std::string result = dlg.Execute();
    driver_.join();
    EXPECT_EQ(first.Text, "ドライブ・エラー発生\r\n元のドライブに戻します");
    EXPECT_EQ(second.Text, "エラー回避に失敗しました\r\n別のドライブか、フォルダーを選択してみて下さい");
    EXPECT_TRUE(noMore);
    EXPECT_EQ(chosen, "c:\\");
    EXPECT_EQ(result, "c:\\");
    spacePatch = nullptr;
}

TEST_F(PickerTest, NamesOfAnyLanguageAreListedAsTheyAreAndLeadToTheirFolder) {
    // Hangul, which code page 932 has no code for.
    const std::string top = "C:\\obsc32names", folder = top + "\\한글";
    testing_common::RemoveTree(top);
    ASSERT_TRUE(CreateDirectoryW(testing_common::W(top).c_str(), nullptr) &&
                CreateDirectoryW(testing_common::W(folder).c_str(), nullptr));
    ASSERT_TRUE(testing_common::SaveBytes(top + "\\한.txt", {}));
    dlg.Directory = top;
    Rows rows, files;
    bool entered = false;
    Drive([&](const PickerParts& p) {
        rows = RowsOf(p.Folders);
        files = RowsOf(p.Files);
        entered = rows.size() == 3 && ClickRowUntil(p, 2, "c:\\obsc32names\\" + rows[2]);
        ClickAt(p.Set);
    });
    const std::string chosen = dlg.Execute();
    driver_.join();
    testing_common::RemoveTree(top);
    EXPECT_TRUE(entered);
    EXPECT_EQ(rows.size() == 3 ? rows[2] : "", "한글");
    EXPECT_EQ(files, Rows{"한.txt"});
    EXPECT_EQ(chosen, "c:\\obsc32names\\한글");
}
