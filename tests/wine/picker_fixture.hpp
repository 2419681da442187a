// The folder picker as the tests meet it: a main window to sit on, a tree of folders in the test prefix to
// walk, and the picker's parts found by their kind and place, their rows read back from the controls.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "widgets/TDIROPENDLG.hpp"
#include "wine/mkbox_fixture.hpp"

namespace testing_wine {

// The tree every picker test walks: names with letters of both cases, Shift-JIS names (ソ ends in the
// byte 0x5C), a hidden file, and a folder whose path is too long for its search pattern to fit MAX_PATH.
inline const std::string kTree = "C:\\obsc32pick";
inline const std::string kMixed = kTree + "\\Mixed";
inline const std::string kSo = kMixed + "\\ソ";
inline const std::string kLong = kTree + "\\Long\\" + std::string(200, 'a') + "\\" + std::string(37, 'b');

void MakeTree();
void RemoveTree(const std::string& folder = kTree);

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
PickerParts PartsOf(HWND form);

std::vector<std::string> ListRows(HWND list);
std::vector<std::string> ComboRows(HWND combo);
int ListSelection(HWND list);
int ComboSelection(HWND combo);
// A row's rectangle on the screen.
RECT RowRect(HWND list, int row);
std::string CurrentDirectory();
// Lower-case ASCII letters, as the picker shows names.
std::string Lower(std::string s);
// Whether `picture` (a bitmap resource of the program) is drawn at the screen point with its pure red in
// `back`; on a row with the focus mark, which runs along the row's top edge, its top line is not compared.
bool DrawnAt(const char* picture, POINT at, COLORREF back, bool focused = false);
// The first box of the program's (TMKBox) that shows up: its title, text and place; it is then closed.
struct SeenBox {
    std::string Title, Text;
    RECT Rect{};
};
SeenBox CloseNextBox();

class PickerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { MakeTree(); }
    static void TearDownTestSuite() {
        // The picker leaves the process inside the tree, which keeps its folders from going.
        SetCurrentDirectoryA(ProgramFolder().c_str());
        RemoveTree();
    }
    void SetUp() override {
        main_ = &ui::Application::Instance().CreateForm<MainForm>();
        main_->SetColor(GetSysColor(COLOR_BTNFACE));
        main_->SetFontColor(GetSysColor(COLOR_WINDOWTEXT));
        main_->Show();
        // The picker keeps its folders from one run to the next; each test starts from the program's own.
        SetCurrentDirectoryA(ProgramFolder().c_str());
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
    static PickerParts WaitForPicker();
    static std::string ProgramFolder();
    // Clicks a row of the folder list and waits until the picker shows `folder`.
    static bool ClickRowUntil(const PickerParts& p, int row, const std::string& folder);

    MainForm* main_ = nullptr;
    obsc32::TDIROPENDLG dlg{nullptr, "DIROPENDLG1"};
    std::thread driver_;
};

}  // namespace testing_wine
