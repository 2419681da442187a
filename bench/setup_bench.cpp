// Setup benchmark: the start to the setup window painted with its group list filled, against the cover's
// start in the same run; and a whole install, from clicking "設定" to the completion box, into an empty
// folder from a distribution folder. Leaves the registry and the disk as it found them.
//   setup_bench [runs, 10 if left out] <OBSC32.EXE>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/boxes.hpp"
#include "common/files.hpp"
#include "common/group_windows.hpp"
#include "common/input.hpp"
#include "common/process.hpp"
#include "common/registry.hpp"
#include "common/text.hpp"
#include "figures.hpp"
#include "settings/product.hpp"
#include "setup_bench_env.hpp"

namespace {

using namespace testing_common;
using bench::Median;
using bench::Now;
using bench::P90;
using setup_bench::kDeadlineMs;

constexpr char kSetupClass[] = "TOBSC32SETUPForm";
constexpr char kCoverClass[] = "TOBSCURIO32VANTE";
constexpr char kDist[] = "C:\\obsc32bench-dist";
constexpr char kInstall[] = "C:\\obsc32bench-install";
constexpr char kGroup[] = "VANTE SOFT32";
constexpr char kDoneText[] = "登録完了です。";

// Whether the window or one of its visible children still waits for a paint.
bool WaitsForPaint(HWND wnd) {
    RECT r;
    if (GetUpdateRect(wnd, &r, FALSE)) return true;
    for (HWND child : ChildrenOf(wnd))
        if (IsWindowVisible(child) && GetUpdateRect(child, &r, FALSE)) return true;
    return false;
}

bool SetupReady(HWND setup) {
    if (!IsWindowVisible(setup)) return false;
    HWND combo = FindWindowExW(setup, nullptr, testing_common::W("TComboBox").c_str(), nullptr);
    DWORD_PTR rows = 0;
    if (!combo || !SendMessageTimeoutA(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &rows) ||
        static_cast<LONG>(rows) <= 0)
        return false;
    return !WaitsForPaint(setup);
}

// A start of the program in its own folder, timed from just before it.
struct Started {
    explicit Started(const std::string& exe) : at(Now()), process(exe, "", exe.substr(0, exe.rfind('\\'))) {
        if (!process.Started())
            std::printf("setup: cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
    }
    const double at;
    Process process;
};

// Asks the window to close, if any, and waits for the end, closing any box that comes on the way.
void End(Started& run, HWND close) {
    if (close) PostMessageA(close, WM_CLOSE, 0, 0);
    if (!WaitUntil(
            [&] {
                if (HWND box = VisibleWindowOf(kProgramBox, run.process.Pid()))
                    PostMessageA(box, WM_CLOSE, 0, 0);
                return !run.process.Running();
            },
            kDeadlineMs))
        std::printf("setup: warning: the program did not end within %lu ms; terminating it\n", kDeadlineMs);
    run.process.Kill();
}

// The time from the start until the setup window is ready, or a negative value.
double WaitForSetup(const Started& run, HWND& setup) {
    if (run.process.Started() &&
        WaitUntil(
            [&] {
                for (HWND w : WindowsOf(run.process.Pid(), kSetupClass))
                    if (SetupReady(w)) setup = w;
                return setup || !run.process.Running();
            },
            kDeadlineMs, 1) &&
        setup)
        return Now() - run.at;
    std::printf("setup: the setup window was not ready within %lu ms\n", kDeadlineMs);
    return -1;
}

int coverPolled = 0;

// As the start-up benchmark times it. The cover starts hidden, in the tray, unless set to show itself at once.
double WaitForCover(const Started& run, HWND& cover) {
    bool polled = false;
    const double ms = run.process.Started()
                          ? bench::StartTime(run.process, kCoverClass, run.at, kDeadlineMs, cover, polled)
                          : -1;
    if (ms < 0) std::printf("setup: the cover did not start within %lu ms\n", kDeadlineMs);
    coverPolled += polled;
    return ms;
}

void SetVersion(bool stored) {
    if (stored)
        registry::SetString(HKEY_CURRENT_USER, obsc32::ProductKey, "Version", "12");
    else
        registry::DeleteValue(HKEY_CURRENT_USER, obsc32::ProductKey, "Version");
}

// --- The two measures -------------------------------------------------------------------------------

void PrintRuns(const char* what, const std::vector<double>& ms) {
    std::printf("  %s:", what);
    for (double v : ms) std::printf(" %.1f", v);
    std::printf("\n");
}

// Alternately the setup window (no version stored) and the cover (version 12); the first pair warms up.
bool StartRatio(int runs, const std::string& exe) {
    std::vector<double> setupMs, coverMs;
    for (int r = 0; r <= runs; ++r) {
        {
            SetVersion(false);
            Started run(exe);
            HWND setup = nullptr;
            const double ms = WaitForSetup(run, setup);
            if (ms < 0) return false;
            End(run, setup);
            if (r > 0) setupMs.push_back(ms);
        }
        SetVersion(true);
        Started run(exe);
        HWND cover = nullptr;
        const double ms = WaitForCover(run, cover);
        if (ms < 0) return false;
        End(run, cover);
        if (r > 0) coverMs.push_back(ms);
    }
    const double setup = Median(setupMs), cover = Median(coverMs);
    std::printf(
        "setup: start to the setup window painted with its groups %.1f ms, the cover's start %.1f ms, ratio "
        "%.2f (medians of %d runs each)\n",
        setup, cover, setup / cover, runs);
    PrintRuns("setup window runs", setupMs);
    PrintRuns("cover runs", coverMs);
    if (coverPolled)
        std::printf("  note: %d cover starts went idle before their window existed\n", coverPolled);
    return true;
}

struct Shortcut {
    std::string group, link;
    bool groupExisted = false;
};

void FreshInstallState(const Shortcut& s) {
    registry::DeleteTree(HKEY_CURRENT_USER, obsc32::ProductKey);
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        registry::DeleteTree(root, obsc32::UninstallKey);
    RemoveTree(kInstall);
    CreateDirectoryW(testing_common::W(kInstall).c_str(), nullptr);
    DeleteFileW(testing_common::W(s.link).c_str());
    if (!s.groupExisted) RemoveDirectoryW(testing_common::W(s.group).c_str());
}

// The time from the click on "設定" to the completion box, or a negative value.
double InstallOnce(bool& folderShown, const std::vector<HWND>& folders) {
    Started run(std::string(kDist) + "\\OBSC32.EXE");
    HWND setup = nullptr;
    if (WaitForSetup(run, setup) < 0) return -1;
    // Its own edit, not the combo box's.
    HWND edit = FindWindowExW(setup, nullptr, testing_common::W("Edit").c_str(), nullptr);
    DWORD_PTR r;
    if (!edit ||
        !SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kInstall), SMTO_ABORTIFHUNG, 5000,
                             &r) ||
        TextOf(edit) != kInstall) {
        std::printf("setup: could not put the install folder into the edit\n");
        return -1;
    }
    HWND button = ChildWithText(setup, "TColorBtn", "設定");
    if (!button) {
        std::printf("setup: the install button is not there\n");
        return -1;
    }
    const double start = Now();
    input::PostClick(button);
    // Any box with a text ends the wait: the completion box, or the one the install stopped with.
    HWND box = WaitForBox(
        run.process.Pid(), [](const std::string& text) { return !text.empty(); }, kDeadlineMs, 1);
    const double ms = Now() - start;
    const std::string text = box ? BoxText(box) : "";
    if (text.rfind(kDoneText, 0) != 0) {
        if (box)
            std::printf("setup: the install stopped with a box: %s\n", text.c_str());
        else
            std::printf("setup: no completion box within %lu ms\n", kDeadlineMs);
        return -1;
    }
    HWND ok = ChildWithText(box, "TColorBtn", "ＯＫ");
    if (ok) input::PostClick(ok);
    End(run, ok ? nullptr : box);
    folderShown = WaitUntil([&] { return !GroupWindows(folders).empty(); }, 5000);
    CloseGroupWindows(folders);
    return ms;
}

bool WholeInstall(int runs, const std::string& exe, const Shortcut& s, const std::vector<HWND>& folders) {
    if (!setup_bench::MakeDistribution(kDist, exe, exe.substr(0, exe.rfind('\\') + 1))) {
        std::printf("setup: cannot make %s\n", kDist);
        return false;
    }
    std::vector<double> ms;
    int folderWindows = 0, incomplete = 0;
    for (int r = 0; r <= runs; ++r) {
        FreshInstallState(s);
        bool shown = false;
        const double t = InstallOnce(shown, folders);
        if (t < 0) return false;
        // The first run only warms up: the files and the shell's folder cached.
        if (r == 0) continue;
        ms.push_back(t);
        folderWindows += shown;
        if (!Exists(std::string(kInstall) + "\\OBSC32.EXE") || !Exists(s.link)) ++incomplete;
    }
    std::printf(
        "setup: a whole install (the install button to the completion box) median %.1f ms, p90 %.1f ms "
        "over %d runs\n",
        Median(ms), P90(ms), runs);
    PrintRuns("install runs", ms);
    if (folderWindows < runs)
        std::printf("  note: Program Manager opened the group's folder in %d of %d runs\n", folderWindows,
                    runs);
    if (incomplete) std::printf("  warning: %d installs left no program or no shortcut behind\n", incomplete);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc == 3 ? std::atoi(argv[1]) : argc == 2 ? 10 : 0;
    if (runs < 1) {
        std::fprintf(stderr, "usage: setup_bench [runs] <OBSC32.EXE>\n");
        return 2;
    }
    const char* exe = argv[argc - 1];
    // Under Wine the first process to need the desktop starts it; that wait must not fall into a run.
    GetDesktopWindow();

    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(exe, MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH || !Exists(full)) {
        std::printf("setup: %s not found\n", exe);
        return 1;
    }
    // A running one would be found instead of ours, or make ours quit at once.
    if (WindowOf(kSetupClass) || WindowOf(kCoverClass)) {
        std::printf("setup: a setup window or a cover is open already; close it first\n");
        return 1;
    }
    Shortcut s;
    const std::string programs = ShellFolder("Programs");
    if (programs.empty()) {
        std::printf("setup: no Programs folder in the shell folders\n");
        return 1;
    }
    s.group = programs + "\\" + kGroup;
    s.link = s.group + "\\" + obsc32::ProductLongTitle + ".lnk";
    s.groupExisted = Exists(s.group);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string linkCopy = std::string(temp) + "obsc32bench.lnk";
    const bool linkExisted =
        CopyFileW(testing_common::W(s.link).c_str(), testing_common::W(linkCopy).c_str(), FALSE);

    // Folder windows open now are not the benchmark's to close; the registry goes back as it was.
    const std::vector<HWND> folders = GroupWindows();
    const registry::SavedKey maker(HKEY_CURRENT_USER, obsc32::MakerKey);
    const registry::SavedKey machine(HKEY_LOCAL_MACHINE, obsc32::UninstallKey);
    const registry::SavedKey user(HKEY_CURRENT_USER, obsc32::UninstallKey);

    const bool ok = StartRatio(runs, full) && WholeInstall(runs, full, s, folders);

    CloseGroupWindows(folders);
    RemoveTree(kInstall);
    RemoveTree(kDist);
    DeleteFileW(testing_common::W(s.link).c_str());
    if (linkExisted) {
        CopyFileW(testing_common::W(linkCopy).c_str(), testing_common::W(s.link).c_str(), FALSE);
        DeleteFileW(testing_common::W(linkCopy).c_str());
    }
    if (!s.groupExisted) RemoveDirectoryW(testing_common::W(s.group).c_str());
    return ok ? 0 : 1;
}
