// The folder picker driven as a person would: its rows, pictures and labels read back from the window.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/import_patch.hpp"
#include "common/text.hpp"
#include "widgets/work_area.hpp"
#include "wine/picker_fixture.hpp"

using namespace testing_wine;

namespace {

// Where the picture of a folder row is drawn: indented 4 pixels a level.
POINT FolderPicture(HWND list, int row, int level) {
    RECT r = RowRect(list, row);
    return {r.left + level * 4 + 2, r.top};
}

COLORREF Highlight() { return GetSysColor(COLOR_HIGHLIGHT); }

// The error mode each folder was entered with.
std::vector<UINT> entryModes;
ImportPatch* entryPatch = nullptr;
BOOL WINAPI RecordEntryMode(LPCWSTR path) {
    UINT mode = SetErrorMode(0);
    SetErrorMode(mode);
    entryModes.push_back(mode);
    return entryPatch->Original<decltype(&SetCurrentDirectoryW)>()(path);
}

Rows FilesOnDisk(const std::string& folder) {
    Rows names;
    WIN32_FIND_DATAW e;
    HANDLE f = FindFirstFileW(testing_common::W(folder + "\\*").c_str(), &e);
    if (f == INVALID_HANDLE_VALUE) return names;
    do
        if (!(e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(Lower(testing_common::U(e.cFileName)));
    while (FindNextFileW(f, &e));
    FindClose(f);
    return names;
}

}  // namespace

TEST_F(PickerTest, OpensAtTheWindowsSystemFolderAsAChainOfOpenFolders) {
    dlg.Directory = "C:\\Windows\\System";
    dlg.Title = "登録先";
    main_->ShowHint = true;
    std::string caption, chosen, count, tip;
    std::vector<HWND> focusOrder, expectedOrder;
    Rows rows, drives, files;
    int selected = -1, driveSelected = -1;
    RECT outer{}, client{};
    bool pictures = false;
    Drive([&](const PickerParts& p) {
        caption = TextOf(p.Form);
        GetWindowRect(p.Form, &outer);
        GetClientRect(p.Form, &client);
        rows = RowsOf(p.Folders);
        selected = ListSelection(p.Folders);
        chosen = TextOf(p.Chosen);
        count = TextOf(p.Count);
        files = RowsOf(p.Files);
        drives = ComboRows(p.Drives);
        driveSelected = ComboSelection(p.Drives);
        // Each path row shows the open folder, one level deeper each; the current folder's row is selected.
        COLORREF back = GetSysColor(COLOR_WINDOW);
        pictures = WaitUntil([&] {
            return DrawnAt("FOLDER_OPEN", FolderPicture(p.Folders, 0, 0), back) &&
                   DrawnAt("FOLDER_OPEN", FolderPicture(p.Folders, 1, 1), back) &&
                   DrawnAt("FOLDER_OPEN", FolderPicture(p.Folders, 2, 2), Highlight());
        });
        // Tab order: "設定", "中止", the folder list, the drive box, the file list, and round again.
        expectedOrder = {p.Set, p.Cancel, p.Folders, p.Drives, p.Files, p.Set};
        auto focus = [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(GetWindowThreadProcessId(p.Form, nullptr), &info);
            return info.hwndFocus;
        };
        for (size_t i = 0; i < expectedOrder.size(); ++i) {
            if (i) input::Key(VK_TAB);
            WaitUntil([&] { return focus() == expectedOrder[i]; }, 2000);
            focusOrder.push_back(focus());
        }
        // A label's hint shows over its area.
        RECT label;
        GetWindowRect(p.Count, &label);
        if (input::MoveTo({(label.left + label.right) / 2, (label.top + label.bottom) / 2}))
            WaitUntil([&] {
                tip = TextOf(testing_common::VisibleWindowOf(TOOLTIPS_CLASSA, GetCurrentProcessId()));
                return !tip.empty();
            });
        input::Key(VK_ESCAPE);
    });
    EXPECT_EQ(dlg.Execute(), "");
    driver_.join();

    EXPECT_EQ(caption, "登録先 フォルダーの参照");
    EXPECT_EQ(focusOrder, expectedOrder);
    EXPECT_EQ(tip, "現在左記リストに登録されているフォルダーの数 ");
    EXPECT_EQ(rows, (Rows{"c:\\", "windows", "system"}));
    EXPECT_EQ(selected, 2);
    EXPECT_TRUE(pictures);
    EXPECT_EQ(chosen, "c:\\windows\\system");
    EXPECT_EQ(count, "3ｺ");
    Rows onDisk = FilesOnDisk("C:\\Windows\\System");
    std::sort(onDisk.begin(), onDisk.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    EXPECT_EQ(files, onDisk);
    // The drives of the test prefix; only the selected ones were asked for their labels (none has one).
    EXPECT_EQ(drives, (Rows{"c:[]", "m:", "z:[]"}));
    EXPECT_EQ(driveSelected, 0);
    // The design's client area, centred over the main window (the whole screen) within the work area.
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    EXPECT_EQ(client.right, 386);
    EXPECT_EQ(client.bottom, 182);
    ui::Rect work = obsc32::GetWorkArea().Area;
    EXPECT_EQ(outer.left, (1024 - w) / 2);
    EXPECT_EQ(outer.top, std::min((768 - h) / 2, work.Bottom() - h));
    // Cancelled, the picker still leaves the process in the folder it showed.
    EXPECT_EQ(Lower(CurrentDirectory()), "c:\\windows\\system");
}

TEST_F(PickerTest, ClicksOpenAncestorsAndSubfoldersDownToTheChosenOne) {
    // Every folder is entered with the system's critical-error boxes off, and the mode is given back.
    ImportPatch patch("kernel32.dll", "SetCurrentDirectoryW", reinterpret_cast<void*>(&RecordEntryMode));
    ASSERT_TRUE(patch.Installed());
    entryPatch = &patch;
    entryModes.clear();
    const UINT before = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    dlg.Directory = kSo;
    Rows start, up, down;
    std::string startChosen, count, filesCount;
    Rows files;
    bool upOk = false, downOk = false, leafOk = false, pictures = false;
    Drive([&](const PickerParts& p) {
        start = RowsOf(p.Folders);
        startChosen = TextOf(p.Chosen);
        // An ancestor: the tree's top folder.
        upOk = ClickRowUntil(p, 1, "c:\\obsc32pick");
        up = RowsOf(p.Folders);
        // A subfolder of it.
        downOk = ClickRowUntil(p, 3, "c:\\obsc32pick\\mixed");
        down = RowsOf(p.Folders);
        count = TextOf(p.Count);
        files = RowsOf(p.Files);
        filesCount = TextOf(p.FileCount);
        COLORREF back = GetSysColor(COLOR_WINDOW);
        pictures = WaitUntil([&] {
            return DrawnAt("FOLDER_OPEN", FolderPicture(p.Folders, 1, 1), back) &&
                   DrawnAt("FOLDER_OPEN", FolderPicture(p.Folders, 2, 2), Highlight(), true) &&
                   DrawnAt("FOLDER_CLOSED", FolderPicture(p.Folders, 3, 3), back);
        });
        leafOk = ClickRowUntil(p, 3, "c:\\obsc32pick\\mixed\\alpha");
        ClickAt(p.Set);
    });
    EXPECT_EQ(dlg.Execute(), "c:\\obsc32pick\\mixed\\alpha");
    driver_.join();
    EXPECT_EQ(SetErrorMode(before), static_cast<UINT>(SEM_NOOPENFILEERRORBOX));
    entryPatch = nullptr;
    EXPECT_GE(entryModes.size(), 4u);
    for (UINT mode : entryModes)
        EXPECT_EQ(mode, static_cast<UINT>(SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS));

    // A folder whose name ends in the byte 0x5C is whole, in the rows and in the label.
    EXPECT_EQ(start, (Rows{"c:\\", "obsc32pick", "mixed", "ソ", "child"}));
    EXPECT_EQ(startChosen, "c:\\obsc32pick\\mixed\\ソ");
    EXPECT_TRUE(upOk);
    EXPECT_EQ(up, (Rows{"c:\\", "obsc32pick", "long", "mixed"}));
    EXPECT_TRUE(downOk);
    EXPECT_EQ(down, (Rows{"c:\\", "obsc32pick", "mixed", "alpha", "beta", "ソ", "表示"}));
    EXPECT_EQ(count, "7ｺ");
    EXPECT_EQ(files, (Rows{"a.txt", "b.txt", "ファイル.txt", "隠し.txt"}));
    EXPECT_EQ(filesCount, " 4ｺ");
    EXPECT_TRUE(pictures);
    EXPECT_TRUE(leafOk);
    EXPECT_EQ(Lower(CurrentDirectory()), "c:\\obsc32pick\\mixed\\alpha");
}

TEST_F(PickerTest, TheDriveBoxShowsEachDrivesPictureAndADriveWithoutADiscLeadsBack) {
    // The picker's own colours: it takes the main window's, and so do its lists.
    const COLORREF green = RGB(0, 128, 0);
    main_->SetColor(green);
    main_->SetFontColor(RGB(255, 255, 255));
    dlg.StandardColor = FALSE;
    dlg.Directory = kMixed;
    COLORREF filesBack = 0;
    bool folderPicture = false, drivePictures = false;
    SeenBox box;
    RECT picker{};
    std::string back;
    Rows drivesAfter;
    int selectedAfter = -1;
    Drive([&](const PickerParts& p) {
        GetWindowRect(p.Form, &picker);
        RECT files;
        GetWindowRect(p.Files, &files);
        WaitUntil([&] { return (filesBack = ScreenPixel(files.left + 20, files.bottom - 6)) == green; });
        folderPicture =
            WaitUntil([&] { return DrawnAt("FOLDER_OPEN", FolderPicture(p.Folders, 0, 0), green); });

        // The dropped list: c: and z: are fixed drives, m: a CD-ROM drive.
        HWND list = DropDrives(p);
        auto drive = [&](int row, const char* picture, COLORREF rowBack) {
            RECT r = RowRect(list, row);
            return DrawnAt(picture, {r.left + 1, r.top + 5}, rowBack);
        };
        drivePictures = list && WaitUntil([&] {
                            return drive(0, "DRIVE_FIXED", Highlight()) && drive(1, "DRIVE_CDROM", green) &&
                                   drive(2, "DRIVE_FIXED", green);
                        });
        if (!list) return;
        ClickRow(list, 1);
        box = CloseNextBox();
        WaitUntilSteady([&] { return TextOf(p.Chosen) == "c:\\obsc32pick\\mixed"; }, 100);
        back = TextOf(p.Chosen);
        drivesAfter = ComboRows(p.Drives);
        selectedAfter = ComboSelection(p.Drives);
        ClickAt(p.Cancel);
    });
    EXPECT_EQ(dlg.Execute(), "");
    driver_.join();

    EXPECT_EQ(filesBack, green);
    EXPECT_TRUE(folderPicture);
    EXPECT_TRUE(drivePictures);
    EXPECT_EQ(box.Title, "真っ黒すみかげ");
    EXPECT_EQ(box.Text, "ドライブ・エラー発生\r\n元のドライブに戻します");
    // Centred on the picker.
    EXPECT_NEAR((box.Rect.left + box.Rect.right) / 2, (picker.left + picker.right) / 2, 1);
    EXPECT_NEAR((box.Rect.top + box.Rect.bottom) / 2, (picker.top + picker.bottom) / 2, 1);
    // Back at the folder listed last, on its drive; the failing drive got no label.
    EXPECT_EQ(back, "c:\\obsc32pick\\mixed");
    EXPECT_EQ(drivesAfter, (Rows{"c:[]", "m:", "z:[]"}));
    EXPECT_EQ(selectedAfter, 0);
}
