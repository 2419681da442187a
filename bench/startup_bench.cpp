// Start-up time of two GUI programs, launched alternately:
//   startup_bench <runs> <exeA> <classA> <exeB> <classB> [<exeA built with its start-up trace>]
// Each program is started runs+1 times; its first start only warms the caches.
// A start ends when the new process first blocks waiting for messages with its window
// of the given class in place (WaitForInputIdle). Under Wine 8 PeekMessage and waiting
// for a SendMessage reply do not count as idle, a blocking GetMessage does.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "common/process.hpp"
#include "common/text.hpp"
#include "common/windows.hpp"
#include "figures.hpp"

namespace {

using bench::Median;
using bench::Now;
using testing_common::Process;

constexpr DWORD kStartTimeoutMs = 10000;

struct Program {
    char label;
    std::string path;       // full path
    std::string dir;        // its folder, the working directory of the new process
    std::string name;       // file name, for the report
    std::string className;  // class of its top-level window
    std::vector<double> ms;
    int polled = 0;  // measured runs timed by polling instead of WaitForInputIdle
};

double g_lastStart = 0;  // when the last start began, in ms of the same clock

bool Resolve(const char* exe, Program& p) {
    char full[MAX_PATH];
    char* file = nullptr;
    DWORD n = GetFullPathNameA(exe, MAX_PATH, full, &file);
    if (n == 0 || n >= MAX_PATH || !file) return false;
    if (GetFileAttributesW(testing_common::W(full).c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    p.path = full;
    p.name = file;
    p.dir.assign(full, file);
    // A drive root keeps its backslash ("C:\"); any other folder drops it.
    if (p.dir.size() > 3 && p.dir.back() == '\\') p.dir.pop_back();
    return true;
}

// Returns the start-up time in ms, or a negative value on failure.
double RunOnce(Program& p, bool measured) {
    const double t0 = g_lastStart = Now();
    Process run(p.path, "", p.dir);
    HWND hwnd = nullptr;
    bool polled = false;
    const double elapsed =
        run.Started() ? bench::StartTime(run, p.className.c_str(), t0, kStartTimeoutMs, hwnd, polled) : -1;
    if (elapsed < 0) {
        if (!run.Started())
            std::printf("error: cannot start %s (error %lu)\n", p.path.c_str(), GetLastError());
        else if (!run.Running())
            std::printf("error: %s exited during start-up (exit code %lu)\n", p.name.c_str(), run.ExitCode());
        else
            std::printf("error: %s never became ready with a window of class \"%s\"\n", p.name.c_str(),
                        p.className.c_str());
        return -1;
    }
    if (polled && measured) ++p.polled;
    if (!run.Close(hwnd))
        std::printf("warning: %s did not exit within 5 s of WM_CLOSE; terminating it\n", p.name.c_str());
    return elapsed;
}

double Mean(const std::vector<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0) / v.size(); }

void Report(const Program& p) {
    std::printf("%c %s: %zu runs, median %.1f ms, mean %.1f ms, min %.1f ms, max %.1f ms\n", p.label,
                p.name.c_str(), p.ms.size(), Median(p.ms), Mean(p.ms),
                *std::min_element(p.ms.begin(), p.ms.end()), *std::max_element(p.ms.begin(), p.ms.end()));
    std::printf("  runs:");
    for (double v : p.ms) std::printf(" %.1f", v);
    std::printf("\n");
    if (p.polled)
        std::printf("  note: %d runs went idle before their window existed and were timed by polling\n",
                    p.polled);
}

// The traced build writes "<ticks> <step>" lines when it ends; each step is reported as the median time from
// the start, and as the median of what it added to the step before it.
void ReportTrace(const char* exe, const Program& like, int runs) {
    Program p = like;
    if (!Resolve(exe, p)) {
        std::printf("error: %s not found\n", exe);
        return;
    }
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string file = std::string(dir) + "obsc32_trace.txt";
    SetEnvironmentVariableW(testing_common::W("OBSC32_TRACE_FILE").c_str(), testing_common::W(file).c_str());
    std::vector<std::string> names;
    std::vector<std::vector<double>> at, added;
    for (int r = 0; r <= runs; ++r) {
        DeleteFileW(testing_common::W(file).c_str());
        if (RunOnce(p, false) < 0 || r == 0) continue;
        FILE* f = std::fopen(file.c_str(), "r");
        if (!f) continue;
        long long ticks;
        char name[64];
        double before = 0;
        for (size_t i = 0; std::fscanf(f, "%lld %63[^\n]", &ticks, name) == 2; ++i) {
            if (i == names.size()) {
                names.push_back(name);
                at.emplace_back();
                added.emplace_back();
            }
            const double ms = bench::MsOfTicks(ticks) - g_lastStart;
            at[i].push_back(ms);
            added[i].push_back(ms - before);
            before = ms;
        }
        std::fclose(f);
    }
    SetEnvironmentVariableW(testing_common::W("OBSC32_TRACE_FILE").c_str(), nullptr);
    DeleteFileW(testing_common::W(file).c_str());
    std::printf("start-up trace of %s (%d runs; medians from the start, and what each step added):\n",
                p.name.c_str(), runs);
    for (size_t i = 0; i < names.size(); ++i)
        std::printf("  %-24s at %7.1f ms  +%6.1f ms\n", names[i].c_str(), Median(at[i]), Median(added[i]));
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc == 6 || argc == 7 ? std::atoi(argv[1]) : 0;
    if (runs < 1) {
        std::fprintf(stderr,
                     "usage: startup_bench <runs> <exeA> <classA> <exeB> <classB> [<tracedA>]\n"
                     "  starts A and B alternately runs+1 times each (the first of each is a warm-up)\n");
        return 2;
    }
    // Under Wine the first process to need the desktop starts it and waits for it with
    // WaitForInputIdle, which sets that process's own idle event far too early; start it here.
    GetDesktopWindow();

    Program progs[2];
    for (int i = 0; i < 2; ++i) {
        progs[i].label = static_cast<char>('A' + i);
        progs[i].className = argv[3 + 2 * i];
        if (!Resolve(argv[2 + 2 * i], progs[i])) {
            std::printf("error: %s not found\n", argv[2 + 2 * i]);
            return 1;
        }
        // A running instance would be found instead of ours, or make a single-instance program quit at once.
        if (FindWindowW(testing_common::W(progs[i].className).c_str(), nullptr)) {
            std::printf("error: a window of class \"%s\" already exists; close that program first\n",
                        progs[i].className.c_str());
            return 1;
        }
    }

    for (int r = 0; r <= runs; ++r) {
        for (Program& p : progs) {
            double ms = RunOnce(p, r > 0);
            if (ms < 0) return 1;
            if (r > 0) p.ms.push_back(ms);
        }
    }

    Report(progs[0]);
    Report(progs[1]);
    double ma = Median(progs[0].ms), mb = Median(progs[1].ms);
    std::printf("startup %s median %.1f ms, %s median %.1f ms, ratio %.2f\n", progs[0].name.c_str(), ma,
                progs[1].name.c_str(), mb, ma / mb);
    if (argc == 7) ReportTrace(argv[6], progs[0], runs);
    return 0;
}
