// The cover on a big screen (run in a set-up of 7680 x 4320). Memory: the working set and its peak with the
// capture face shown, a tiled wallpaper shown, a switch from one to the other each way and a new capture
// taken while one is held, against a bare black popup shown at the same size (Wine keeps a surface of every
// shown window in its process), also as screen-sized-bitmap equivalents. Each case runs in a process of its own (this program, one case each), the
// cover created in it as the program creates it. Display storms: OBSC32.EXE showing a tiled wallpaper (a
// picture of 3840 x 2160, a photograph's size, read and composed whenever the picture is made) while the
// screen's size changes 50 times in a row (ChangeDisplaySettingsEx, which sends every top-level window
// WM_DISPLAYCHANGE before it returns); another thread asks the cover for WM_NULL all the while, and the
// longest wait for its answer is the figure, during the burst and in the 2 s after it; against the bare
// black popup, which only takes the new size at each change. Medians of the storms.
//   display_bench <storms> <OBSC32.EXE> <bare_cover.exe> [storm]   (storm: the display storms alone)
//   display_bench case <name> <bmp> <result file>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "common/bmp_files.hpp"
#include "common/process.hpp"
#include "common/registry.hpp"
#include "common/screen.hpp"
#include "common/screen_size.hpp"
#include "common/text.hpp"
#include "common/windows.hpp"
#include "cover/TOBSCURIO32VANTE.hpp"
#include "figures.hpp"
#include "ui/application.hpp"

namespace {

using namespace testing_common;
using bench::Now;

constexpr char kKey[] = "Software\\VANTE SOFT32\\OBSC32";
constexpr COLORREF kTile = RGB(0, 160, 0);
// "again": a new capture taken (画面取得, PGET) while one is held.
const char* const kCases[] = {"bare", "capture", "tiled", "capture>tiled", "tiled>capture", "capture>again"};

void Store(std::initializer_list<std::pair<const char*, std::string>> values) {
    for (auto& [name, value] : values) registry::SetString(HKEY_CURRENT_USER, kKey, name, value);
}

// Lets the windows paint and settle; what is held then is the figure.
void Settle(Millis ms) {
    const double end = Now() + ms;
    while (Now() < end) {
        PumpMessages();
        Sleep(10);
    }
}

LRESULT CALLBACK BareProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

// One case in this process: the faces in the order the name gives, then the working set and its peak.
int RunCase(const std::string& name, const std::string& bmp, const char* out) {
    if (name == "bare") {
        WNDCLASSA wc{};
        wc.lpfnWndProc = BareProc;
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = "ObscBenchBigPopup";
        RegisterClassA(&wc);
        HWND popup = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP, 0, 0,
                                     GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                     nullptr, nullptr, nullptr);
        ShowWindow(popup, SW_SHOW);
        UpdateWindow(popup);
    } else {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        obsc32::RunContext run{path, "", "C:\\windows\\", obsc32::StartModes::Normal, ""};
        auto& cover = ui::Application::Instance().CreateForm<obsc32::TOBSCURIO32VANTE>(run);
        if (!WaitUntil([&] { return !cover.Timer1.Enabled(); })) return 1;
        cover.Faces.UseBmpFile(bmp);
        cover.Faces.ChoosePosition(obsc32::WallpaperPosition::Tile);
        for (size_t at = 0; at < name.size();) {
            const size_t end = std::min(name.find('>', at), name.size());
            const std::string step = name.substr(at, end - at);
            if (step == "again") cover.Faces.Regrab();
            cover.Model.ChooseFace(step == "tiled" ? 2 : 1, true);
            Settle(1000);
            at = end + 1;
        }
    }
    Settle(1500);
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc)) return 1;
    FILE* f = std::fopen(out, "w");
    if (!f) return 1;
    std::fprintf(f, "%lu %lu\n", static_cast<unsigned long>(pmc.WorkingSetSize),
                 static_cast<unsigned long>(pmc.PeakWorkingSetSize));
    std::fclose(f);
    return 0;
}

bool MeasureCase(const char* name, const std::string& bmp, double& ws, double& peak) {
    char self[MAX_PATH], tmp[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    GetTempPathA(MAX_PATH, tmp);
    const std::string out = std::string(tmp) + "obsc32_display_case.txt";
    DeleteFileW(testing_common::W(out).c_str());
    Process child(self, std::string("case \"") + name + "\" \"" + bmp + "\" \"" + out + "\"");
    if (!child.WaitForExit(60000) || child.ExitCode() != 0) return false;
    unsigned long w = 0, p = 0;
    FILE* f = std::fopen(out.c_str(), "r");
    const bool read = f && std::fscanf(f, "%lu %lu", &w, &p) == 2;
    if (f) std::fclose(f);
    ws = w / 1048576.0, peak = p / 1048576.0;
    return read;
}

struct StormFigures {
    double burst = 0, longest[2] = {0, 0};
    int taken = 0, answers[2] = {0, 0};
};

// The longest wait for the answer of the window of class `cls` (up when the screen's centre shows `colour`)
// while the screen's size changes 50 times, and in the 2 s after.
bool Storm(const std::string& exe, const char* args, const char* cls, COLORREF colour, StormFigures& f) {
    Process program(exe, args);
    HWND window = nullptr;
    const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);
    const bool shown = WaitUntil(
        [&] {
            window = VisibleWindowOf(cls, program.Pid());
            return window && ScreenPixel(W / 2, H / 2) == colour;
        },
        60000);
    if (!shown) {
        std::printf("display storm: error: %s did not show\n", cls);
        return false;
    }
    std::atomic<bool> stop{false};
    std::atomic<int> phase{0};
    std::thread asker([&] {
        while (!stop) {
            const double t = Now();
            DWORD_PTR r;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &r);
            const int p = phase;
            f.longest[p] = std::max(f.longest[p], Now() - t);
            ++f.answers[p];
            Sleep(1);
        }
    });
    const double start = Now();
    {
        ScopedScreenSize screen(2560, 1440);
        f.taken += screen.Changed();
        // Ends at 3840 x 2160, not where it began: the picture must be made for a new size once.
        for (int i = 1; i < 50; ++i) f.taken += i % 2 ? screen.Set(3840, 2160) : screen.Set(2560, 1440);
        f.burst = Now() - start;
        phase = 1;
        Sleep(2000);
        stop = true;
        asker.join();
    }
    std::printf(
        "display storm, %s: %d of 50 size changes in %.0f ms; longest wait for an answer %.0f ms "
        "during the burst (%d answers), %.0f ms in the 2 s after it (%d answers)\n",
        cls, f.taken, f.burst, f.longest[0], f.answers[0], f.longest[1], f.answers[1]);
    HWND owner = GetWindow(window, GW_OWNER);
    program.Close(owner ? owner : window);
    return f.taken == 50;
}

// The storms' medians: a size change's time, the longest wait during the burst and after it.
struct StormMedians {
    double each = -1, during = -1, after = -1;
};

StormMedians Storms(int storms, const std::string& exe, const char* args, const char* cls, COLORREF colour) {
    std::vector<double> during, after, each;
    for (int r = 0; r < storms; ++r) {
        StormFigures f;
        if (!Storm(exe, args, cls, colour, f)) continue;
        during.push_back(f.longest[0]), after.push_back(f.longest[1]), each.push_back(f.burst / 50);
    }
    if (during.size() != static_cast<size_t>(storms)) return {};
    return {bench::Median(each), bench::Median(during), bench::Median(after)};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "case") == 0) return RunCase(argv[2], argv[3], argv[4]);
    const bool stormOnly = argc == 5 && std::strcmp(argv[4], "storm") == 0;
    const int storms = argc >= 4 ? std::atoi(argv[1]) : 0;
    if ((argc != 4 && !stormOnly) || storms < 1) {
        std::fprintf(stderr, "usage: display_bench <storms> <OBSC32.EXE> <bare_cover.exe> [storm]\n");
        return 2;
    }
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string bmp = std::string(tmp) + "obsc32_display_tile.bmp";
    const std::string photo = std::string(tmp) + "obsc32_display_photo.bmp";
    // Green with a light grid: the tiles show, and the centre of the screen is kTile.
    const auto grid = [](int x, int y) { return x % 100 == 10 || y % 100 == 10 ? RGB(0, 200, 0) : kTile; };
    SaveBmp24(bmp, 200, 200, grid);
    SaveBmp24(photo, 3840, 2160, grid);
    const double screen =
        GetSystemMetrics(SM_CXSCREEN) * static_cast<double>(GetSystemMetrics(SM_CYSCREEN)) * 4 / 1048576.0;
    std::printf("screen %d x %d: one screen-sized bitmap is %.1f MB\n", GetSystemMetrics(SM_CXSCREEN),
                GetSystemMetrics(SM_CYSCREEN), screen);
    Store({{"AUTO", "0"}, {"UE", "1"}, {"mode", "0"}});
    double bareWs = 0, barePeak = 0;
    int status = 0;
    for (const char* name : kCases) {
        if (stormOnly) break;
        double ws = 0, peak = 0;
        if (!MeasureCase(name, bmp, ws, peak)) {
            std::printf("memory, %s: error: the case did not run\n", name);
            status = 1;
            continue;
        }
        if (std::strcmp(name, "bare") == 0) bareWs = ws, barePeak = peak;
        std::printf(
            "memory, %s shown: working set %.1f MB, peak %.1f MB; above the bare black popup %+.2f "
            "and %+.2f screen-sized bitmaps\n",
            std::strcmp(name, "bare") == 0 ? "bare black popup" : name, ws, peak, (ws - bareWs) / screen,
            (peak - barePeak) / screen);
    }
    Store({{"AUTO", "1"}, {"UE", "1"}, {"mode", "2"}, {"ICHI", "1"}, {"Kabe", "0"}, {"BMPFile", photo}});
    const StormMedians cover = Storms(storms, argv[2], "", "TOBSCURIO32VANTE", kTile);
    Store({{"AUTO", "0"}});
    const StormMedians bare = Storms(storms, argv[3], "show", "ObscBenchBarePopup", RGB(0, 0, 0));
    if (cover.during < 0 || bare.during < 0) {
        std::printf("display storm: error: a storm went wrong\n");
        status = 1;
    } else {
        std::printf(
            "display storm, median of %d: a size change takes %.0f ms (bare black popup %.0f); the "
            "longest wait for the cover's answer %.0f ms during the burst, %.1f times the bare black "
            "popup's %.0f ms (target at most 100 ms); after it %.0f ms (bare %.0f)\n",
            storms, cover.each, bare.each, cover.during, cover.during / bare.during, bare.during, cover.after,
            bare.after);
    }
    DeleteFileW(testing_common::W(bmp).c_str());
    DeleteFileW(testing_common::W(photo).c_str());
    return status;
}
