// Setup benchmark: the start to the setup window painted with its group list filled, against the cover's
// start in the same run; and a whole install, from clicking "設定" to the completion box, into an empty
// folder from a distribution folder. Leaves the registry and the disk as it found them.
//   setup_bench [runs, 10 if left out] <OBSC32.EXE>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/product.hpp"
#include "setup_bench_env.hpp"

namespace {

using namespace setup_bench;

constexpr char kSetupClass[] = "TOBSC32SETUPForm";
constexpr char kCoverClass[] = "TOBSCURIO32VANTE";
constexpr char kBoxClass[] = "TMKBox";
constexpr char kDist[] = "C:\\obsc32bench-dist";
constexpr char kInstall[] = "C:\\obsc32bench-install";
constexpr char kGroup[] = "VANTE SOFT32";
constexpr char kDoneText[] = "登録完了です。";

// Whether the window or one of its visible children still waits for a paint.
bool WaitsForPaint(HWND wnd) {
    RECT r;
    if (GetUpdateRect(wnd, &r, FALSE)) return true;
    for (HWND child : Children(wnd))
        if (IsWindowVisible(child) && GetUpdateRect(child, &r, FALSE)) return true;
    return false;
}

bool SetupReady(HWND setup) {
    if (!IsWindowVisible(setup)) return false;
    HWND combo = VisibleChild(setup, "TComboBox", nullptr);
    DWORD_PTR rows = 0;
    if (!combo || !SendMessageTimeoutA(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &rows) ||
        static_cast<LONG>(rows) <= 0)
        return false;
    return !WaitsForPaint(setup);
}

// --- Processes --------------------------------------------------------------------------------------

struct Started {
    Started() = default;
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;
    PROCESS_INFORMATION pi{};
    double at = 0;
    bool Exited(DWORD ms) const { return WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
    ~Started() {
        if (!pi.hProcess) return;
        if (!Exited(0)) {
            TerminateProcess(pi.hProcess, 1);
            WaitForSingleObject(pi.hProcess, 5000);
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
};

bool Start(const std::string& exe, Started& run) {
    std::string cmd = "\"" + exe + "\"";
    const std::string dir = exe.substr(0, exe.rfind('\\'));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    run.at = Now();
    if (CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                       &run.pi))
        return true;
    std::printf("setup: cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
    return false;
}

// Asks the window to close, if any, and waits for the end, closing any box that comes on the way.
void End(const Started& run, HWND close) {
    if (close) PostMessageA(close, WM_CLOSE, 0, 0);
    for (const double start = Now(); Now() - start < kDeadlineMs;) {
        if (run.Exited(10)) return;
        if (HWND box = VisibleTopLevel(kBoxClass, run.pi.dwProcessId)) PostMessageA(box, WM_CLOSE, 0, 0);
    }
    std::printf("setup: warning: the program did not end within %lu ms; terminating it\n", kDeadlineMs);
    TerminateProcess(run.pi.hProcess, 1);
    WaitForSingleObject(run.pi.hProcess, 5000);
}

// The time from the start until the setup window is ready, or a negative value.
double WaitForSetup(const Started& run, HWND& setup) {
    for (; Now() - run.at < kDeadlineMs; Sleep(1)) {
        if (run.Exited(0)) break;
        for (HWND w : TopLevel(kSetupClass, run.pi.dwProcessId))
            if (SetupReady(w)) {
                setup = w;
                return Now() - run.at;
            }
    }
    std::printf("setup: the setup window was not ready within %lu ms\n", kDeadlineMs);
    return -1;
}

int coverPolled = 0;

// As the start-up benchmark times it: the first blocking wait for messages with the window in place, else
// the window there and answering. The cover starts hidden, in the tray, unless set to show itself at once.
double WaitForCover(const Started& run, HWND& cover) {
    const DWORD pid = run.pi.dwProcessId;
    if (WaitForInputIdle(run.pi.hProcess, kDeadlineMs) == 0 && !run.Exited(0)) {
        const double idleAt = Now() - run.at;
        std::vector<HWND> found = TopLevel(kCoverClass, pid);
        if (!found.empty()) {
            cover = found[0];
            return idleAt;
        }
        for (; Now() - run.at < kDeadlineMs && !run.Exited(0); Sleep(1)) {
            found = TopLevel(kCoverClass, pid);
            DWORD_PTR r;
            if (!found.empty() && SendMessageTimeoutA(found[0], WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &r)) {
                cover = found[0];
                ++coverPolled;
                return Now() - run.at;
            }
        }
    }
    std::printf("setup: the cover did not start within %lu ms\n", kDeadlineMs);
    return -1;
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
            Started run;
            HWND setup = nullptr;
            const double ms = Start(exe, run) ? WaitForSetup(run, setup) : -1;
            if (ms < 0) return false;
            End(run, setup);
            if (r > 0) setupMs.push_back(ms);
        }
        SetVersion(true);
        Started run;
        HWND cover = nullptr;
        const double ms = Start(exe, run) ? WaitForCover(run, cover) : -1;
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
    DeleteTree(HKEY_CURRENT_USER, obsc32::ProductKey);
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) DeleteTree(root, obsc32::UninstallKey);
    RemoveTree(kInstall);
    CreateDirectoryA(kInstall, nullptr);
    DeleteFileA(s.link.c_str());
    if (!s.groupExisted) RemoveDirectoryA(s.group.c_str());
}

// The time from the click on "設定" to the completion box, or a negative value.
double InstallOnce(bool& folderShown) {
    Started run;
    HWND setup = nullptr;
    if (!Start(std::string(kDist) + "\\OBSC32.EXE", run) || WaitForSetup(run, setup) < 0) return -1;
    HWND edit = VisibleChild(setup, "Edit", nullptr);
    DWORD_PTR r;
    if (!edit ||
        !SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kInstall), SMTO_ABORTIFHUNG, 5000,
                             &r) ||
        TextOf(edit) != kInstall) {
        std::printf("setup: could not put the install folder into the edit\n");
        return -1;
    }
    HWND button = VisibleChild(setup, "TColorBtn", "設定");
    if (!button) {
        std::printf("setup: the install button is not there\n");
        return -1;
    }
    const double start = Now();
    Click(button);
    HWND box = nullptr;
    double ms = -1;
    for (; ms < 0 && Now() - start < kDeadlineMs && !run.Exited(0); Sleep(1)) {
        if (!(box = VisibleTopLevel(kBoxClass, run.pi.dwProcessId))) continue;
        const std::string text = TextOf(FindWindowExA(box, nullptr, "Edit", nullptr));
        if (text.rfind(kDoneText, 0) == 0) {
            ms = Now() - start;
        } else if (!text.empty()) {
            std::printf("setup: the install stopped with a box: %s\n", text.c_str());
            return -1;
        }
    }
    if (ms < 0) {
        std::printf("setup: no completion box within %lu ms\n", kDeadlineMs);
        return -1;
    }
    HWND ok = VisibleChild(box, "TColorBtn", "ＯＫ");
    if (ok) Click(ok);
    End(run, ok ? nullptr : box);
    folderShown = CloseNewFolderWindows(5000);
    return ms;
}

bool WholeInstall(int runs, const std::string& exe, const Shortcut& s) {
    if (!MakeDistribution(kDist, exe, exe.substr(0, exe.rfind('\\') + 1))) {
        std::printf("setup: cannot make %s\n", kDist);
        return false;
    }
    std::vector<double> ms;
    int folderWindows = 0, incomplete = 0;
    for (int r = 0; r <= runs; ++r) {
        FreshInstallState(s);
        bool shown = false;
        const double t = InstallOnce(shown);
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
    if (!TopLevel(kSetupClass, 0).empty() || !TopLevel(kCoverClass, 0).empty()) {
        std::printf("setup: a setup window or a cover is open already; close it first\n");
        return 1;
    }
    Shortcut s;
    const std::string programs = ProgramsFolder();
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
    const bool linkExisted = CopyFileA(s.link.c_str(), linkCopy.c_str(), FALSE);

    NoteFolderWindows();
    const KeyCopy maker = Snapshot(HKEY_CURRENT_USER, obsc32::MakerKey);
    const KeyCopy machine = Snapshot(HKEY_LOCAL_MACHINE, obsc32::UninstallKey);
    const KeyCopy user = Snapshot(HKEY_CURRENT_USER, obsc32::UninstallKey);

    const bool ok = StartRatio(runs, full) && WholeInstall(runs, full, s);

    CloseNewFolderWindows(0);
    RemoveTree(kInstall);
    RemoveTree(kDist);
    DeleteFileA(s.link.c_str());
    if (linkExisted) {
        CopyFileA(linkCopy.c_str(), s.link.c_str(), FALSE);
        DeleteFileA(linkCopy.c_str());
    }
    if (!s.groupExisted) RemoveDirectoryA(s.group.c_str());
    Restore(HKEY_CURRENT_USER, obsc32::MakerKey, maker);
    Restore(HKEY_LOCAL_MACHINE, obsc32::UninstallKey, machine);
    Restore(HKEY_CURRENT_USER, obsc32::UninstallKey, user);
    return ok ? 0 : 1;
}
