// The cover on a big screen (run in a set-up of 7680 x 4320). Memory: the working set and its peak with the
// capture face shown, a tiled wallpaper shown, and a switch from one to the other each way, against a bare
// black popup shown at the same size (Wine keeps a surface of every shown window in its process), also as
// screen-sized-bitmap equivalents. Each case runs in a process of its own (this program, one case each), the
// cover created in it as the program creates it. Display storms: OBSC32.EXE showing a tiled wallpaper while
// the screen's size changes 50 times in a row (ChangeDisplaySettingsEx, which sends every top-level window
// WM_DISPLAYCHANGE before it returns); another thread asks the cover for WM_NULL all the while, and the
// longest wait for its answer is the figure, during the burst and in the 2 s after it.
//   display_bench <OBSC32.EXE>
//   display_bench case <name> <bmp> <result file>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "common/bmp_files.hpp"
#include "common/process.hpp"
#include "common/registry.hpp"
#include "common/screen.hpp"
#include "common/screen_size.hpp"
#include "common/windows.hpp"
#include "cover/TOBSCURIO32VANTE.hpp"
#include "figures.hpp"
#include "ui/application.hpp"

namespace {

using namespace testing_common;
using bench::Now;

constexpr char kKey[] = "Software\\VANTE SOFT32\\OBSC32";
constexpr COLORREF kTile = RGB(0, 160, 0);
const char* const kCases[] = {"bare", "capture", "tiled", "capture>tiled", "tiled>capture"};

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
            cover.Model.ChooseFace(name.compare(at, end - at, "capture") == 0 ? 1 : 2, true);
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
    DeleteFileA(out.c_str());
    Process child(self, std::string("case \"") + name + "\" \"" + bmp + "\" \"" + out + "\"");
    if (!child.WaitForExit(60000) || child.ExitCode() != 0) return false;
    unsigned long w = 0, p = 0;
    FILE* f = std::fopen(out.c_str(), "r");
    const bool read = f && std::fscanf(f, "%lu %lu", &w, &p) == 2;
    if (f) std::fclose(f);
    ws = w / 1048576.0, peak = p / 1048576.0;
    return read;
}

// The longest wait for the cover's answer while the screen's size changes 50 times, and in the 2 s after.
int Storm(const std::string& exe, const std::string& bmp) {
    Store({{"AUTO", "1"}, {"UE", "1"}, {"mode", "2"}, {"ICHI", "1"}, {"Kabe", "0"}, {"BMPFile", bmp}});
    Process program(exe);
    HWND cover = nullptr;
    const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);
    const bool shown = WaitUntil(
        [&] {
            cover = VisibleWindowOf("TOBSCURIO32VANTE", program.Pid());
            return cover && ScreenPixel(W / 2, H / 2) == kTile;
        },
        60000);
    Store({{"AUTO", "0"}});
    if (!shown) {
        std::printf("error: the cover did not show its wallpaper\n");
        return 1;
    }
    std::atomic<bool> stop{false};
    std::atomic<int> phase{0};
    double longest[2] = {0, 0};
    int answers[2] = {0, 0};
    std::thread asker([&] {
        while (!stop) {
            const double t = Now();
            DWORD_PTR r;
            SendMessageTimeoutA(cover, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &r);
            const int p = phase;
            longest[p] = std::max(longest[p], Now() - t);
            ++answers[p];
            Sleep(1);
        }
    });
    int taken = 0;
    const double start = Now();
    {
        ScopedScreenSize screen(2560, 1440);
        taken += screen.Changed();
        // Ends at 3840 x 2160, not where it began: the picture must be made for a new size once.
        for (int i = 1; i < 50; ++i) taken += i % 2 ? screen.Set(3840, 2160) : screen.Set(2560, 1440);
        const double burst = Now() - start;
        phase = 1;
        Sleep(2000);
        stop = true;
        asker.join();
        std::printf("display storm: %d of 50 size changes taken in %.0f ms (%.1f ms each)\n", taken, burst,
                    burst / 50);
    }
    std::printf(
        "display storm: longest wait for the cover's answer %.0f ms during the burst (%d answers), "
        "%.0f ms in the 2 s after it (%d answers; target at most 100)\n",
        longest[0], answers[0], longest[1], answers[1]);
    program.Close(cover);
    return taken == 50 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "case") == 0) return RunCase(argv[2], argv[3], argv[4]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: display_bench <OBSC32.EXE>\n");
        return 2;
    }
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string bmp = std::string(tmp) + "obsc32_display_tile.bmp";
    // Green with a light grid: the tiles show, and the centre of the screen is kTile.
    SaveBmp24(bmp, 200, 200,
              [](int x, int y) { return x % 100 == 10 || y % 100 == 10 ? RGB(0, 200, 0) : kTile; });
    const double screen =
        GetSystemMetrics(SM_CXSCREEN) * static_cast<double>(GetSystemMetrics(SM_CYSCREEN)) * 4 / 1048576.0;
    std::printf("screen %d x %d: one screen-sized bitmap is %.1f MB\n", GetSystemMetrics(SM_CXSCREEN),
                GetSystemMetrics(SM_CYSCREEN), screen);
    Store({{"AUTO", "0"}, {"UE", "1"}, {"mode", "0"}});
    double bareWs = 0, barePeak = 0;
    int status = 0;
    for (const char* name : kCases) {
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
    status |= Storm(argv[1], bmp);
    DeleteFileA(bmp.c_str());
    return status;
}
