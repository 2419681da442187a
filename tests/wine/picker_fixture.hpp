// The folder picker as the tests meet it: a main window to sit on, a tree of folders in the test prefix to
// walk, and the picker's parts found by their kind and place, their rows read back from the controls.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "widgets/TDIROPENDLG.hpp"
#include "wine/mkbox_fixture.hpp"

namespace testing_wine {

using testing_common::TextOf;
using Rows = std::vector<std::string>;

// The tree every picker test walks: names with letters of both cases, Shift-JIS names (ソ ends in the
// byte 0x5C), a hidden file, a hidden and a system folder (not listed), and a folder whose path is too long
// for its search pattern to fit MAX_PATH.
inline const std::string kTree = "C:\\obsc32pick";
inline const std::string kMixed = kTree + "\\Mixed";
inline const std::string kSo = kMixed + "\\ソ";
inline const std::string kLong = kTree + "\\Long\\" + std::string(200, 'a') + "\\" + std::string(37, 'b');

inline void RemoveTree() { RemoveTree(kTree); }

inline void MakeTree() {
    RemoveTree();
    for (const std::string& f :
         {kTree, kMixed, kMixed + "\\Beta", kMixed + "\\alpha", kSo, kSo + "\\Child", kMixed + "\\表示",
          kTree + "\\Long", kTree + "\\Long\\" + std::string(200, 'a'), kLong})
        ASSERT_TRUE(CreateDirectoryW(testing_common::W(f).c_str(), nullptr)) << f;
    for (DWORD a : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        const std::string f = kMixed + (a == FILE_ATTRIBUTE_HIDDEN ? "\\Hidden" : "\\System");
        ASSERT_TRUE(CreateDirectoryW(testing_common::W(f).c_str(), nullptr) &&
                    SetFileAttributesW(testing_common::W(f).c_str(), a))
            << f;
        ASSERT_TRUE(GetFileAttributesW(testing_common::W(f).c_str()) == (a | FILE_ATTRIBUTE_DIRECTORY))
            << "not kept: " << f;
    }
    for (const std::string& f : {kMixed + "\\B.TXT", kMixed + "\\a.txt", kMixed + "\\ファイル.txt",
                                 kSo + "\\中.txt", kMixed + "\\隠し.txt"}) {
        DWORD hidden = f.find("隠し") != std::string::npos ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL;
        HANDLE file = CreateFileW(testing_common::W(f).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  hidden, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << f;
        CloseHandle(file);
    }
}

struct PickerParts {
    HWND Form = nullptr;
    HWND Drives = nullptr;     // the drive box
    HWND Folders = nullptr;    // the folder list (left)
    HWND Files = nullptr;      // the file list (right)
    HWND Chosen = nullptr;     // the label of the folder "設定" gives (Label2)
    HWND Count = nullptr;      // the number of folder rows (Label19)
    HWND FileCount = nullptr;  // the number of files (Label1)
    HWND Set = nullptr;        // "設定"
    HWND Cancel = nullptr;     // "中止"
};

inline HWND ChildAt(HWND form, const char* cls, int left, int top) {
    for (HWND c = FindWindowExW(form, nullptr, testing_common::W(cls).c_str(), nullptr); c;
         c = FindWindowExW(form, c, testing_common::W(cls).c_str(), nullptr)) {
        RECT r = ClientRectOf(c);
        if (r.left == left && r.top == top) return c;
    }
    return nullptr;
}

inline PickerParts PartsOf(HWND form) {
    return {form,
            FindWindowExW(form, nullptr, testing_common::W("TComboBox").c_str(), nullptr),
            ChildAt(form, "TListBox", 8, 40),
            ChildAt(form, "TListBox", 160, 40),
            ChildAt(form, "TLabel", 8, 152),
            ChildAt(form, "TLabel", 160, 8),
            ChildAt(form, "TLabel", 312, 40),
            FindWindowExW(form, nullptr, testing_common::W("TColorBtn").c_str(),
                          testing_common::W("設定").c_str()),
            FindWindowExW(form, nullptr, testing_common::W("TColorBtn").c_str(),
                          testing_common::W("中止").c_str())};
}

// The rows of a list box (LB_GETCOUNT, LB_GETTEXT) or a combo box (CB_GETCOUNT, CB_GETLBTEXT).
inline Rows RowsOf(HWND list, UINT count = LB_GETCOUNT, UINT text = LB_GETTEXT) {
    Rows rows;
    for (LRESULT i = 0, n = SendMessageW(list, count, 0, 0); i < n; ++i) {
        wchar_t row[600] = {};
        SendMessageW(list, text, i, reinterpret_cast<LPARAM>(row));
        rows.push_back(testing_common::U(row));
    }
    return rows;
}
inline Rows ComboRows(HWND combo) { return RowsOf(combo, CB_GETCOUNT, CB_GETLBTEXT); }
inline int ListSelection(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }
inline int ComboSelection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

// A row's rectangle on the screen.
inline RECT RowRect(HWND list, int row) {
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline std::string CurrentDirectory() {
    char dir[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof dir, dir);
    return dir;
}

// Single-byte letters in lower case, as the picker shows names.
inline std::string Lower(std::string s) {
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC))
            ++i;
        else if (c >= 'A' && c <= 'Z')
            s[i] = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

// Whether `picture` (a bitmap resource of the program) is drawn at the screen point with its pure red in
// `back`; on a row with the focus mark, which runs along the row's top edge, its top line is not compared.
inline bool DrawnAt(const char* picture, POINT at, COLORREF back, bool focused = false) {
    HBITMAP bmp = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), picture, IMAGE_BITMAP, 0, 0, 0));
    if (!bmp) return false;
    int w = 0, h = 0;
    std::vector<COLORREF> want = BitmapPixels(bmp, w, h);
    DeleteObject(bmp);
    std::replace(want.begin(), want.end(), RGB(255, 0, 0), back);
    const int skip = focused ? 1 : 0;
    std::vector<COLORREF> seen = ScreenPixels(RECT{at.x, at.y + skip, at.x + w, at.y + h});
    return std::equal(seen.begin(), seen.end(), want.begin() + skip * w, want.end());
}

// The next box of the program's (TMKBox): its title, text and place; it is then closed.
struct SeenBox {
    std::string Title, Text;
    RECT Rect{};
};
inline SeenBox CloseNextBox() {
    SeenBox seen;
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = testing_common::VisibleWindowOf("TMKBox")) != nullptr; })) return seen;
    seen = {TextOf(box), testing_common::BoxText(box), {}};
    GetWindowRect(box, &seen.Rect);
    PostMessageA(box, WM_CLOSE, 0, 0);
    WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    return seen;
}

class PickerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { MakeTree(); }
    static void TearDownTestSuite() {
        // The picker leaves the process inside the tree, which keeps its folders from going.
        SetCurrentDirectoryW(testing_common::W(ProgramFolder()).c_str());
        RemoveTree();
    }
    void SetUp() override {
        main_ = &ui::Application::Instance().CreateForm<MainForm>();
        main_->SetColor(GetSysColor(COLOR_BTNFACE));
        main_->SetFontColor(GetSysColor(COLOR_WINDOWTEXT));
        main_->Show();
        // The picker keeps its folders from one run to the next; each test starts from the program's own.
        SetCurrentDirectoryW(testing_common::W(ProgramFolder()).c_str());
    }
    void TearDown() override {
        if (driver_.joinable()) driver_.join();
        ui::Application::Instance().Reset();
    }
    // Runs `drive` on another thread, against the picker the test thread is about to show.
    void DriveFromStart(std::function<void()> drive) {
        if (driver_.joinable()) driver_.join();
        driver_ = std::thread(std::move(drive));
    }
    // The same, once the picker is shown with its lists.
    void Drive(std::function<void(const PickerParts& picker)> drive) {
        DriveFromStart([drive] {
            PickerParts parts = WaitForPicker();
            if (parts.Form) drive(parts);
        });
    }
    static PickerParts WaitForPicker() {
        HWND form = nullptr;
        if (!WaitUntil([&] { return (form = testing_common::VisibleWindowOf("TDIRVIEWForm")) != nullptr; }))
            return {};
        PickerParts parts = PartsOf(form);
        WaitUntil([&] { return !TextOf(parts.Chosen).empty(); });
        return parts;
    }
    static std::string ProgramFolder() {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof path);
        std::string s = path;
        return s.substr(0, s.rfind('\\'));
    }
    // Clicks a row of a list; a row clicked right after another at the same spot would be a double click.
    static bool ClickRow(HWND list, int row) {
        static int spread = 0;
        spread = (spread + 1) % 3;
        RECT r = RowRect(list, row);
        return input::Click({r.left + 30 + spread * 20, (r.top + r.bottom) / 2});
    }
    // Clicks a row of the folder list and waits until the picker shows `folder`.
    static bool ClickRowUntil(const PickerParts& p, int row, const std::string& folder) {
        return ClickRow(p.Folders, row) && WaitUntilSteady([&] { return TextOf(p.Chosen) == folder; }, 100);
    }
    // Drops the drive box down with a click; its list, or null.
    static HWND DropDrives(const PickerParts& p) {
        HWND list = nullptr;
        if (ClickAt(p.Drives))
            WaitUntil([&] { return (list = testing_common::VisibleWindowOf("ComboLBox")) != nullptr; });
        return list;
    }

    MainForm* main_ = nullptr;
    obsc32::TDIROPENDLG dlg{nullptr, "DIROPENDLG1"};
    std::thread driver_;
};

}  // namespace testing_wine
