#include "wine/picker_fixture.hpp"

#include <algorithm>
#include <cstring>

namespace testing_wine {

namespace {
void MakeFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << path;
    CloseHandle(f);
}

void MakeFolder(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }

HWND ChildAt(HWND form, const char* cls, int left, int top) {
    for (HWND c = FindWindowExA(form, nullptr, cls, nullptr); c; c = FindWindowExA(form, c, cls, nullptr)) {
        RECT r = ClientRectOf(c);
        if (r.left == left && r.top == top) return c;
    }
    return nullptr;
}
}  // namespace

void MakeTree() {
    RemoveTree();
    for (const std::string& f :
         {kTree, kMixed, kMixed + "\\Beta", kMixed + "\\alpha", kSo, kSo + "\\Child", kMixed + "\\表示",
          kTree + "\\Long", kTree + "\\Long\\" + std::string(200, 'a'), kLong})
        MakeFolder(f);
    for (const std::string& f :
         {kMixed + "\\B.TXT", kMixed + "\\a.txt", kMixed + "\\ファイル.txt", kSo + "\\中.txt"})
        MakeFile(f);
    MakeFile(kMixed + "\\隠し.txt", FILE_ATTRIBUTE_HIDDEN);
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA e;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &e);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!std::strcmp(e.cFileName, ".") || !std::strcmp(e.cFileName, "..")) continue;
            std::string path = folder + "\\" + e.cFileName;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &e));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

PickerParts PartsOf(HWND form) {
    PickerParts p;
    p.Form = form;
    p.Drives = FindWindowExA(form, nullptr, "TComboBox", nullptr);
    p.Folders = ChildAt(form, "TListBox", 8, 40);
    p.Files = ChildAt(form, "TListBox", 160, 40);
    p.Chosen = ChildAt(form, "TLabel", 8, 152);
    p.Count = ChildAt(form, "TLabel", 160, 8);
    p.FileCount = ChildAt(form, "TLabel", 312, 40);
    p.Set = FindWindowExA(form, nullptr, "TColorBtn", "設定");
    p.Cancel = FindWindowExA(form, nullptr, "TColorBtn", "中止");
    return p;
}

std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char text[600] = {};
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

std::vector<std::string> ComboRows(HWND combo) {
    std::vector<std::string> rows;
    LRESULT n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char text[600] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

int ListSelection(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }
int ComboSelection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

RECT RowRect(HWND list, int row) {
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string CurrentDirectory() {
    char dir[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof dir, dir);
    return dir;
}

std::string Lower(std::string s) {
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC))
            ++i;
        else if (c >= 'A' && c <= 'Z')
            s[i] = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

bool DrawnAt(const char* picture, POINT at, COLORREF back, bool focused) {
    HBITMAP bmp = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), picture, IMAGE_BITMAP, 0, 0, 0));
    if (!bmp) return false;
    int w = 0, h = 0;
    std::vector<COLORREF> want = BitmapPixels(bmp, w, h);
    DeleteObject(bmp);
    for (COLORREF& c : want)
        if (c == RGB(255, 0, 0)) c = back;
    const int skip = focused ? 1 : 0;
    std::vector<COLORREF> seen = ScreenPixels(RECT{at.x, at.y + skip, at.x + w, at.y + h});
    return std::equal(seen.begin(), seen.end(), want.begin() + skip * w, want.end());
}

SeenBox CloseNextBox() {
    SeenBox seen;
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = testing_common::VisibleWindowOf("TMKBox")) != nullptr; })) return seen;
    seen.Title = testing_common::TextOf(box);
    seen.Text = testing_common::BoxText(box);
    GetWindowRect(box, &seen.Rect);
    PostMessageA(box, WM_CLOSE, 0, 0);
    WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    return seen;
}

PickerParts PickerTest::WaitForPicker() {
    HWND form = nullptr;
    if (!WaitUntil([&] { return (form = testing_common::VisibleWindowOf("TDIRVIEWForm")) != nullptr; }))
        return {};
    PickerParts parts = PartsOf(form);
    WaitUntil([&] { return !testing_common::TextOf(parts.Chosen).empty(); });
    return parts;
}

std::string PickerTest::ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s = path;
    return s.substr(0, s.rfind('\\'));
}

bool PickerTest::ClickRowUntil(const PickerParts& p, int row, const std::string& folder) {
    // Two clicks at one spot in quick succession would be a double click, which selects nothing.
    static int spread = 0;
    spread = (spread + 1) % 3;
    RECT r = RowRect(p.Folders, row);
    return input::Click({r.left + 30 + spread * 20, (r.top + r.bottom) / 2}) &&
           WaitUntilSteady([&] { return testing_common::TextOf(p.Chosen) == folder; }, 100);
}

}  // namespace testing_wine
