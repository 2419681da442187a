// Uninstall benchmark: from the first question answered (both questions answered as soon as they show) to
// the completion box of stage 2, for an install of the program, its documents, settings and Uninstall entry.
// Stage 2 waits 500 ms after its start and deletes the folders on its next timer, 1000 ms later: the figure
// is set against that floor. Leaves the registry and the disk as it found them.
//   uninstall_bench [runs, 10 if left out] <OBSC32.EXE>
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
using bench::Now;
using setup_bench::kDeadlineMs;

constexpr char kRoot[] = "C:\\obsc32bench-uninstall";
constexpr char kFolder[] = "C:\\obsc32bench-uninstall\\OBSC32";
constexpr char kFirstQuestion[] = "ｱﾝｲﾝｽﾂｰﾙしてよろしいですか";
constexpr char kRegistryQuestion[] = "当ソフトのレジストリー情報";
constexpr char kDoneText[] = "削除が完了しました";
constexpr double kTimersMs = 1500;

// A visible box of the process (0: any) whose text holds `part`, polled closely, as it ends a measure.
HWND WaitForBox(DWORD pid, const char* part) {
    HWND box = testing_common::WaitForBox(
        pid, [&](const std::string& text) { return text.find(part) != std::string::npos; }, kDeadlineMs, 1);
    if (!box) std::printf("uninstall: no box with \"%s\" within %lu ms\n", part, kDeadlineMs);
    return box;
}

bool InstallByHand(const std::string& exe, const std::string& exeDir) {
    RemoveTree(kRoot);
    CreateDirectoryW(testing_common::W(kRoot).c_str(), nullptr);
    if (!setup_bench::MakeDistribution(kFolder, exe, exeDir)) return false;
    const std::string folder = kFolder;
    registry::SetString(HKEY_CURRENT_USER, obsc32::ProductKey, "EXEPATH", folder);
    registry::SetString(HKEY_CURRENT_USER, obsc32::ProductKey, "Group", "VANTE SOFT32");
    registry::SetString(HKEY_CURRENT_USER, obsc32::ProductKey, "Version", "12");
    registry::SetString(HKEY_LOCAL_MACHINE, obsc32::UninstallKey, "UninstallString",
                        folder + "\\OBSC32.EXE /uninstall");
    registry::SetString(HKEY_LOCAL_MACHINE, obsc32::UninstallKey, "MadeFolder", kRoot);
    return true;
}

// The time from the first answer to stage 2's completion box, or a negative value.
double UninstallOnce(const std::vector<HWND>& folders) {
    // Stage 2, which stage 1 starts, belongs to the same job: both go when this does.
    Process stage1(std::string(kFolder) + "\\OBSC32.EXE", "/uninstall", kFolder);
    if (!stage1.Started()) {
        std::printf("uninstall: cannot start %s\\OBSC32.EXE\n", kFolder);
        return -1;
    }
    double ms = -1;
    HWND first = WaitForBox(stage1.Pid(), kFirstQuestion);
    if (first) {
        const double start = Now();
        input::PostClick(ChildWithText(first, "TColorBtn", "はい"));
        HWND second = WaitForBox(stage1.Pid(), kRegistryQuestion);
        if (second) input::PostClick(ChildWithText(second, "TColorBtn", "はい"));
        HWND done = second ? WaitForBox(0, kDoneText) : nullptr;
        if (done) {
            ms = Now() - start;
            input::PostClick(ChildWithText(done, "TColorBtn", "ＯＫ"));
            HANDLE stage2 = OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(done));
            if (stage2) WaitForSingleObject(stage2, kDeadlineMs);
            if (stage2) CloseHandle(stage2);
        }
    }
    stage1.WaitForExit(kDeadlineMs);
    stage1.Kill();
    if (ms >= 0) WaitUntil([&] { return !GroupWindows(folders).empty(); }, 3000);
    CloseGroupWindows(folders);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc == 3 ? std::atoi(argv[1]) : argc == 2 ? 10 : 0;
    if (runs < 1) {
        std::fprintf(stderr, "usage: uninstall_bench [runs] <OBSC32.EXE>\n");
        return 2;
    }
    GetDesktopWindow();
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(argv[argc - 1], MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH || !Exists(full)) {
        std::printf("uninstall: %s not found\n", argv[argc - 1]);
        return 1;
    }
    const std::string exe = full, exeDir = exe.substr(0, exe.rfind('\\') + 1);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string copy = std::string(windows) + "\\" + obsc32::UninstallerName;
    const bool copyExisted = Exists(copy);

    // Folder windows open now are not the benchmark's to close; the registry goes back as it was.
    const std::vector<HWND> folders = GroupWindows();
    const registry::SavedKey maker(HKEY_CURRENT_USER, obsc32::MakerKey);
    const registry::SavedKey machine(HKEY_LOCAL_MACHINE, obsc32::UninstallKey);
    const registry::SavedKey user(HKEY_CURRENT_USER, obsc32::UninstallKey);

    std::vector<double> ms;
    int kept = 0;
    bool ok = true;
    for (int r = 0; r <= runs && ok; ++r) {
        ok = InstallByHand(exe, exeDir);
        const double t = ok ? UninstallOnce(folders) : -1;
        ok = t >= 0;
        if (Exists(kRoot)) ++kept;
        // The first run makes the copy in the Windows folder and warms the caches.
        if (ok && r > 0) ms.push_back(t);
    }
    if (ok) {
        const double median = bench::Median(ms);
        std::printf(
            "uninstall: the first answer to stage 2's completion box median %.1f ms, p90 %.1f ms over %d "
            "runs; "
            "its two timers alone take %.0f ms, the rest %.1f ms (%.0f%% over)\n",
            median, bench::P90(ms), runs, kTimersMs, median - kTimersMs,
            100 * (median - kTimersMs) / kTimersMs);
        std::printf("  runs:");
        for (double v : ms) std::printf(" %.1f", v);
        std::printf("\n");
        if (kept) std::printf("  warning: %d uninstalls left the folder behind\n", kept);
    }

    RemoveTree(kRoot);
    if (!copyExisted) DeleteFileW(testing_common::W(copy).c_str());
    return ok ? 0 : 1;
}
