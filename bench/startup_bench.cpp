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

namespace {

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

double g_ticksPerMs = 0;
double g_lastStart = 0;  // when the last CreateProcessA was called, in ms of the same clock

double Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / g_ticksPerMs;
}

bool Resolve(const char* exe, Program& p) {
    char full[MAX_PATH];
    char* file = nullptr;
    DWORD n = GetFullPathNameA(exe, MAX_PATH, full, &file);
    if (n == 0 || n >= MAX_PATH || !file) return false;
    if (GetFileAttributesA(full) == INVALID_FILE_ATTRIBUTES) return false;
    p.path = full;
    p.name = file;
    p.dir.assign(full, file);
    // A drive root keeps its backslash ("C:\"); any other folder drops it.
    if (p.dir.size() > 3 && p.dir.back() == '\\') p.dir.pop_back();
    return true;
}

// Walks all top-level windows of the class, not just the first, so a stray
// window of another process cannot hide the one we started.
HWND FindOwnedWindow(const std::string& className, DWORD pid) {
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExA(nullptr, hwnd, className.c_str(), nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == pid) return hwnd;
    }
    return nullptr;
}

bool HasExited(HANDLE process, DWORD* code) {
    return GetExitCodeProcess(process, code) && *code != STILL_ACTIVE;
}

void Stop(const PROCESS_INFORMATION& pi, HWND hwnd, const Program& p) {
    if (hwnd) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    if (!hwnd || WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) {
        if (hwnd)
            std::printf("warning: %s did not exit within 5 s of WM_CLOSE; terminating it\n", p.name.c_str());
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, INFINITE);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// The process went idle before its window existed (some blocking wait of its own
// came first): poll until the window exists and its thread answers messages.
HWND PollUntilReady(const PROCESS_INFORMATION& pi, const Program& p, double t0) {
    while (Now() - t0 < kStartTimeoutMs) {
        DWORD code;
        if (HasExited(pi.hProcess, &code)) return nullptr;
        HWND hwnd = FindOwnedWindow(p.className, pi.dwProcessId);
        DWORD_PTR result;
        if (hwnd && SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result)) return hwnd;
        Sleep(1);
    }
    return nullptr;
}

// Returns the start-up time in ms, or a negative value on failure.
double RunOnce(Program& p, bool measured) {
    std::string cmd = "\"" + p.path + "\"";  // CreateProcessA may write into the buffer
    std::vector<char> cmdBuf(cmd.begin(), cmd.end());
    cmdBuf.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};

    double t0 = g_lastStart = Now();
    if (!CreateProcessA(p.path.c_str(), cmdBuf.data(), nullptr, nullptr, FALSE, 0, nullptr, p.dir.c_str(),
                        &si, &pi)) {
        std::printf("error: cannot start %s (error %lu)\n", p.path.c_str(), GetLastError());
        return -1;
    }
    DWORD idle = WaitForInputIdle(pi.hProcess, kStartTimeoutMs);
    double elapsed = Now() - t0;

    if (idle != 0) {
        std::printf("error: %s never became idle (WaitForInputIdle returned %lu)\n", p.name.c_str(), idle);
        Stop(pi, nullptr, p);
        return -1;
    }
    HWND hwnd = FindOwnedWindow(p.className, pi.dwProcessId);
    if (!hwnd) {
        hwnd = PollUntilReady(pi, p, t0);
        elapsed = Now() - t0;
        if (hwnd && measured) ++p.polled;
    }
    // WaitForInputIdle also returns 0 when the process has already ended.
    DWORD code;
    if (HasExited(pi.hProcess, &code)) {
        std::printf("error: %s exited during start-up (exit code %lu)\n", p.name.c_str(), code);
        Stop(pi, nullptr, p);
        return -1;
    }
    if (!hwnd) {
        std::printf("error: %s has no top-level window of class \"%s\"\n", p.name.c_str(),
                    p.className.c_str());
        Stop(pi, nullptr, p);
        return -1;
    }
    Stop(pi, hwnd, p);
    return elapsed;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
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
// CreateProcessA, and as the median of what it added to the step before it.
void ReportTrace(const char* exe, const Program& like, int runs) {
    Program p = like;
    if (!Resolve(exe, p)) {
        std::printf("error: %s not found\n", exe);
        return;
    }
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string file = std::string(dir) + "obsc32_trace.txt";
    SetEnvironmentVariableA("OBSC32_TRACE_FILE", file.c_str());
    std::vector<std::string> names;
    std::vector<std::vector<double>> at, added;
    for (int r = 0; r <= runs; ++r) {
        DeleteFileA(file.c_str());
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
            const double ms = static_cast<double>(ticks) / g_ticksPerMs - g_lastStart;
            at[i].push_back(ms);
            added[i].push_back(ms - before);
            before = ms;
        }
        std::fclose(f);
    }
    SetEnvironmentVariableA("OBSC32_TRACE_FILE", nullptr);
    DeleteFileA(file.c_str());
    std::printf("start-up trace of %s (%d runs; medians from CreateProcessA, and what each step added):\n",
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
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    g_ticksPerMs = static_cast<double>(freq.QuadPart) / 1000.0;

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
        if (FindWindowA(progs[i].className.c_str(), nullptr)) {
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
