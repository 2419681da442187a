// Idle memory of the cover against the minimal tray program, in the same prefix: each started, left idle for
// 3 s, then read from its own counters (working set and private bytes); the cover hidden, and showing its
// black face on top. Median of the rounds.
// Beside them, the bare black popup of the hide benchmark, hidden and shown, for what showing a black screen
// costs any program here.
//   memory_bench <rounds> <OBSC32.EXE> <minimal_tray.exe> <bare_cover.exe>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/holdings.hpp"
#include "common/process.hpp"
#include "common/registry.hpp"
#include "common/text.hpp"
#include "common/windows.hpp"
#include "figures.hpp"

namespace {

using namespace testing_common;
using bench::Median;

struct Figures {
    double workingSet = 0, privateBytes = 0;  // MB
};

// Starts the program, waits until its window of the class is there (and shown, when asked), idles 3 s,
// reads its counters and closes it.
bool Measure(const std::string& exe, const char* cls, bool shown, Figures& out,
             HWND (*shownWindow)(HWND) = nullptr, const char* args = "") {
    Process program(exe, args);
    HWND w = nullptr;
    const bool ready = WaitUntil([&] {
        w = WindowOf(cls, program.Pid());
        return w && (!shown || IsWindowVisible(shownWindow ? shownWindow(w) : w));
    });
    if (!ready) return false;
    // Left idle on purpose: what it holds once it has settled is the figure.
    Sleep(3000);
    const MemoryUse use = MemoryOf(program.Handle());
    out = {use.workingSet / 1048576.0, use.privateBytes / 1048576.0};
    program.Close(w);
    return use.workingSet > 0;
}

void SetStartUp(bool autoShow) {
    // Shown on top with the black face at start, or kept hidden.
    const char* values[][2] = {{"AUTO", autoShow ? "1" : "0"}, {"UE", "1"}, {"mode", "0"}};
    for (auto& v : values)
        registry::SetString(HKEY_CURRENT_USER, "Software\\VANTE SOFT32\\OBSC32", v[0], v[1]);
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
        return FindWindowW(testing_common::W("ObscBenchBarePopup").c_str(), nullptr)
                   ? FindWindowW(testing_common::W("ObscBenchBarePopup").c_str(), nullptr)
                   : main;
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
