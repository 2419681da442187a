// Folder picker benchmark: the time from Execute to the picker's first paint, and to all of it painted, on a
// folder of 2,000 files and 500 subfolders (made in the prefix's C: drive and removed afterwards), each as a
// ratio to listing the same folder with FindFirstFileA/FindNextFileA alone; and on an empty folder, in turn
// with the message box, as a ratio to the box's time to painted; and against the system's own file dialog
// (GetOpenFileNameA) on the same folder, in turn, told painted the same way.
//   picker_bench [runs]
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/text.hpp"
#include "figures.hpp"
#include "ui/application.hpp"
#include "ui/form.hpp"
#include "widgets/TDIROPENDLG.hpp"
#include "widgets/TMKBoxDlg.hpp"

namespace {

const std::string kFolder = "C:\\obsc32bench";
constexpr int kFiles = 2000, kFolders = 500;

class MainForm : public ui::Form {
public:
    MainForm() : ui::Form(nullptr, "Main", "TBenchMain") {
        // As the setup window, which opens the picker: hints shown.
        ShowHint = true;
        Border = ui::BorderStyle::None;
        SetBounds(0, 0, 400, 300);
    }
};

using bench::Median;
using bench::Now;

std::string Numbered(const char* prefix, int i) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%04d", prefix, i);
    return kFolder + "\\" + name;
}

bool MakeFolder() {
    if (!CreateDirectoryW(testing_common::W(kFolder).c_str(), nullptr)) return false;
    for (int i = 0; i < kFolders; ++i)
        if (!CreateDirectoryW(testing_common::W(Numbered("Sub", i)).c_str(), nullptr)) return false;
    for (int i = 0; i < kFiles; ++i) {
        HANDLE f = CreateFileW(testing_common::W(Numbered("File", i) + ".txt").c_str(), GENERIC_WRITE, 0,
                               nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) return false;
        CloseHandle(f);
    }
    return true;
}

void RemoveFolder() {
    // The picker leaves the process in the folder it showed, which keeps that folder from going.
    SetCurrentDirectoryW(testing_common::W("C:\\").c_str());
    for (int i = 0; i < kFiles; ++i) DeleteFileW(testing_common::W(Numbered("File", i) + ".txt").c_str());
    for (int i = 0; i < kFolders; ++i) RemoveDirectoryW(testing_common::W(Numbered("Sub", i)).c_str());
    RemoveDirectoryW(testing_common::W(kFolder).c_str());
}

int ListAlone() {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((kFolder + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do ++n;
    while (FindNextFileA(find, &entry));
    FindClose(find);
    return n;
}

BOOL CALLBACK FindUnpainted(HWND child, LPARAM any) {
    RECT r;
    if (IsWindowVisible(child) && GetUpdateRect(child, &r, FALSE)) *reinterpret_cast<bool*>(any) = true;
    return TRUE;
}

// Whether the picker or one of its controls is still waiting for its paint; a hidden one is not painted yet.
bool WaitsForPaint(HWND picker) {
    RECT r;
    bool any = !IsWindowVisible(picker) || GetUpdateRect(picker, &r, FALSE);
    EnumChildWindows(picker, FindUnpainted, reinterpret_cast<LPARAM>(&any));
    return any;
}

// The watching's own time (finding every control's update region costs as much as painting one) is taken
// off the figures.
double firstPaintAt, paintedAt, watching;
constexpr UINT kCheckPainted = WM_APP + 7;

bool IsPickerOrChild(HWND wnd) {
    char cls[16] = {};
    GetClassNameA(GetAncestor(wnd, GA_ROOT), cls, sizeof cls);
    return lstrcmpA(cls, "TDIRVIEWForm") == 0 || lstrcmpA(cls, "TMKBox") == 0 || lstrcmpA(cls, "#32770") == 0;
}

// The picker counts as painted when a paint of it or of one of its controls has been handled and none of
// them waits for another; then it is closed.
LRESULT CALLBACK WatchPaints(int code, WPARAM wParam, LPARAM lParam) {
    const double entered = Now();
    auto* m = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && wParam == PM_REMOVE && paintedAt == 0) {
        if (m->message == WM_PAINT && IsPickerOrChild(m->hwnd)) {
            if (firstPaintAt == 0) firstPaintAt = entered - watching;
            PostMessageA(GetAncestor(m->hwnd, GA_ROOT), kCheckPainted, 0, 0);
        } else if (m->message == kCheckPainted && !WaitsForPaint(m->hwnd)) {
            paintedAt = entered - watching;
            // Painted before its loop took a message: no paint was seen, the first is the whole.
            if (firstPaintAt == 0) firstPaintAt = paintedAt;
            PostMessageA(m->hwnd, WM_CLOSE, 0, 0);
        }
    }
    watching += Now() - entered;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A window painted before its loop asks for a message shows no paint message: a check waits for that loop
// from the window's activation.
LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam) {
    HWND wnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && paintedAt == 0 && IsPickerOrChild(wnd))
        PostMessageA(wnd, kCheckPainted, 0, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// What a user would otherwise see: the system's open dialog on the folder, closed once painted.
void SystemDialog(HWND owner) {
    char file[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = kFolder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    GetOpenFileNameA(&ofn);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    RemoveFolder();
    if (!MakeFolder()) {
        std::printf("folder picker: could not make %s\n", kFolder.c_str());
        RemoveFolder();
        return 1;
    }
    auto& app = ui::Application::Instance();
    app.SetTitle("bench");
    app.CreateForm<MainForm>().Show();
    obsc32::TDIROPENDLG picker(nullptr, "DIROPENDLG1");
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, WatchPaints, nullptr, GetCurrentThreadId());
    HHOOK activation = SetWindowsHookExA(WH_CBT, WatchActivation, nullptr, GetCurrentThreadId());

    // The same picker on an empty folder: what its windows cost without any listing.
    const std::string empty = kFolder + "-empty";
    CreateDirectoryW(testing_common::W(empty).c_str(), nullptr);
    obsc32::TMKBoxDlg box(nullptr, "MKBoxDlg1");
    std::vector<double> listing, first, shown, emptyFirst, emptyShown, boxShown;
    for (int i = 0; i < runs + 2; ++i) {
        firstPaintAt = paintedAt = watching = 0;
        picker.Directory = empty;
        double start = Now();
        picker.Execute();
        if (i >= 2 && paintedAt > 0)
            emptyFirst.push_back(firstPaintAt - start), emptyShown.push_back(paintedAt - start);
        firstPaintAt = paintedAt = watching = 0;
        start = Now();
        box.MsgOK("フォルダーを選んでください☆");
        if (i >= 2 && paintedAt > 0) boxShown.push_back(paintedAt - start);
    }
    SetCurrentDirectoryW(testing_common::W("C:\\").c_str());
    RemoveDirectoryW(testing_common::W(empty).c_str());

    picker.Directory = kFolder;
    int entries = 0;
    std::vector<double> system;
    for (int i = 0; i < runs + 2; ++i) {
        firstPaintAt = paintedAt = watching = 0;
        const double opened = Now();
        SystemDialog(app.MainForm()->Handle());
        if (i >= 2 && paintedAt > 0) system.push_back(paintedAt - opened);
        double start = Now();
        entries = ListAlone();
        if (i >= 2) listing.push_back(Now() - start);
        firstPaintAt = paintedAt = watching = 0;
        start = Now();
        picker.Execute();
        // The first two runs only warm up: classes registered, fonts and the folder cached.
        if (i >= 2 && paintedAt > 0) {
            first.push_back(firstPaintAt - start);
            shown.push_back(paintedAt - start);
        }
    }
    UnhookWindowsHookEx(hook);
    UnhookWindowsHookEx(activation);
    RemoveFolder();
    if (shown.empty() || emptyFirst.empty() || boxShown.empty() || system.empty()) {
        std::printf("folder picker: never painted\n");
        return 1;
    }
    const double list = Median(listing), firstPaint = Median(first), painted = Median(shown);
    std::printf("folder picker: %d entries (%d files, %d subfolders), %d runs: listing alone %.2f ms\n",
                entries, kFiles, kFolders, runs, list);
    std::printf(
        "folder picker: Execute to its first paint %.2f ms, ratio %.1f (target at most 3); to every control "
        "painted %.2f ms, ratio %.1f\n",
        firstPaint, firstPaint / list, painted, painted / list);
    std::printf(
        "folder picker against the system's open dialog on the same folder, in turn: to every control "
        "painted "
        "%.2f ms against %.2f ms, ratio %.2f (target at most 1.0)\n",
        painted, Median(system), painted / Median(system));
    const double bare = Median(emptyFirst);
    std::printf(
        "folder picker: on an empty folder, Execute to its first paint %.2f ms (%.1f times the listing)\n",
        bare, bare / list);
    const double emptyPainted = Median(emptyShown), boxPainted = Median(boxShown);
    std::printf(
        "folder picker on an empty folder against the message box, in turn: to every control painted %.2f ms "
        "against %.2f ms, ratio %.2f (target at most 1.5)\n",
        emptyPainted, boxPainted, emptyPainted / boxPainted);
    return 0;
}
