// Idle memory of the cover against the minimal tray program, in the same prefix: each started, left idle for
// 3 s, then read from its own counters (working set and private bytes); the cover hidden, and showing its
// black face on top. Median of the rounds.
// Beside them, the bare black popup of the hide benchmark, hidden and shown, for what showing a black screen
// costs any program here.
//   memory_bench <rounds> <OBSC32.EXE> <minimal_tray.exe> <bare_cover.exe>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Figures {
    double workingSet = 0, privateBytes = 0;  // MB
};

HWND WindowOf(const char* cls, DWORD pid) {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, cls, nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid) return w;
    }
    return nullptr;
}

// Committed private pages, walked when the system does not count them for another process (Wine).
SIZE_T PrivateBytes(HANDLE process) {
    MEMORY_BASIC_INFORMATION mbi;
    SIZE_T total = 0;
    for (char* p = nullptr; VirtualQueryEx(process, p, &mbi, sizeof mbi) == sizeof mbi;) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) total += mbi.RegionSize;
        char* next = static_cast<char*>(mbi.BaseAddress) + mbi.RegionSize;
        if (next <= p) break;
        p = next;
    }
    return total;
}

// Starts the program, waits until its window of the class is there (and shown, when asked), idles 3 s,
// reads its counters and closes it.
bool Measure(const std::string& exe, const char* cls, bool shown, Figures& out,
             HWND (*shownWindow)(HWND) = nullptr, const char* args = "") {
    std::string cmd = "\"" + exe + "\" " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    HWND w = nullptr;
    for (int i = 0; i < 1000 && !(w && (!shown || IsWindowVisible(shownWindow ? shownWindow(w) : w))); ++i) {
        Sleep(10);
        w = WindowOf(cls, pi.dwProcessId);
    }
    bool ok = w != nullptr;
    if (ok) {
        Sleep(3000);
        PROCESS_MEMORY_COUNTERS_EX c{};
        c.cb = sizeof c;
        ok = GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&c), sizeof c);
        const SIZE_T priv = c.PrivateUsage ? c.PrivateUsage : PrivateBytes(pi.hProcess);
        out = {c.WorkingSetSize / 1048576.0, priv / 1048576.0};
        PostMessageA(w, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ok;
}

void SetStartUp(bool autoShow) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VANTE SOFT32\\OBSC32", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    // Shown on top with the black face at start, or kept hidden.
    const char* values[][2] = {{"AUTO", autoShow ? "1" : "0"}, {"UE", "1"}, {"mode", "0"}};
    for (auto& v : values)
        RegSetValueExA(key, v[0], 0, REG_SZ, reinterpret_cast<const BYTE*>(v[1]), lstrlenA(v[1]) + 1);
    RegCloseKey(key);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc == 5 ? std::atoi(argv[1]) : 0;
    if (rounds < 1) {
        std::fprintf(stderr,
                     "usage: memory_bench <rounds> <OBSC32.EXE> <minimal_tray.exe> <bare_cover.exe>\n");
        return 2;
    }
    std::vector<double> ws[5], pb[5];
    // The bare program's popup is its only window owned by its main one.
    const auto popupOf = [](HWND main) {
        return FindWindowA("ObscBenchBarePopup", nullptr) ? FindWindowA("ObscBenchBarePopup", nullptr) : main;
    };
    for (int r = 0; r < rounds; ++r) {
        Figures f[5];
        SetStartUp(false);
        if (!Measure(argv[3], "ObscBenchMinimal", false, f[0]) ||
            !Measure(argv[2], "TOBSCURIO32VANTE", false, f[1])) {
            std::printf("error: a program did not start\n");
            return 1;
        }
        SetStartUp(true);
        const bool shown = Measure(argv[2], "TOBSCURIO32VANTE", true, f[2]);
        SetStartUp(false);
        if (!shown) {
            std::printf("error: the cover did not show\n");
            return 1;
        }
        if (!Measure(argv[4], "ObscBenchBareCover", false, f[3]) ||
            !Measure(argv[4], "ObscBenchBareCover", true, f[4], popupOf, "show")) {
            std::printf("error: the bare black popup did not start\n");
            return 1;
        }
        for (int i = 0; i < 5; ++i) ws[i].push_back(f[i].workingSet), pb[i].push_back(f[i].privateBytes);
    }
    const char* names[5] = {"minimal tray program", "cover, hidden", "cover, black face shown",
                            "bare black popup, hidden", "bare black popup, shown"};
    for (int i = 0; i < 5; ++i)
        std::printf("memory after 3 s idle, %s: working set %.1f MB, private %.1f MB (median of %d)\n",
                    names[i], Median(ws[i]), Median(pb[i]), rounds);
    const double screen =
        GetSystemMetrics(SM_CXSCREEN) * static_cast<double>(GetSystemMetrics(SM_CYSCREEN)) * 4 / 1048576.0;
    std::printf(
        "hidden cover above the minimal tray program: working set %+.1f MB, private %+.1f MB (target at most "
        "+2)\n",
        Median(ws[1]) - Median(ws[0]), Median(pb[1]) - Median(pb[0]));
    std::printf(
        "black face shown above the hidden cover: working set %+.1f MB, private %+.1f MB; one screen-sized "
        "bitmap is %.1f MB (target at most that +1)\n",
        Median(ws[2]) - Median(ws[1]), Median(pb[2]) - Median(pb[1]), screen);
    std::printf("the bare black popup shown above hidden: working set %+.1f MB, private %+.1f MB\n",
                Median(ws[4]) - Median(ws[3]), Median(pb[4]) - Median(pb[3]));
    return 0;
}
