// Hide latency, measured from outside as a person sees it: the bench opens a program's tray menu (the tray
// callback a press on its icon sends), presses Down to the item and Enter, and polls nine screen points until
// they show the face. The cover (black on top and at the bottom, its wallpaper face, its capture face) against
// a bare black popup driven the same way. Medians.
//   hide_bench <runs> <OBSC32.EXE> <bare_cover.exe>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "common/bmp_files.hpp"
#include "common/input.hpp"
#include "common/menus.hpp"
#include "common/plain_window.hpp"
#include "common/process.hpp"
#include "common/registry.hpp"
#include "common/screen.hpp"
#include "common/text.hpp"
#include "common/windows.hpp"
#include "figures.hpp"

namespace {

using namespace testing_common;
using bench::Median;
using bench::Now;

constexpr UINT kTrayCallback = WM_USER + 102;
std::vector<POINT> points;

// Whether every point shows the colour (or, with `not`, none does).
bool PointsAre(COLORREF colour, bool not_ = false) {
    for (COLORREF c : ScreenPixelsAt(points))
        if ((c == colour) == not_) return false;
    return true;
}

// Polls without a pause, handling this thread's messages meanwhile (the background window paints itself).
template <typename F>
bool Until(F done, Millis ms = 5000) {
    return WaitUntil(done, ms, 0);
}

void RightClickCorner() {
    input::PressAt({2, 2}, true);
    input::ReleaseAt({2, 2}, true);
}

const char* g_menuFault = "";

HWND OpenMenu(HWND owner, UINT button) {
    g_menuFault = "the pointer did not move";
    // Where the pointer is reported to stay: Wine may echo its last place, the corner, and the menu would
    // open there, under the pointer, which then picks the item beneath it.
    if (!input::PlaceCursor({GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2}))
        return nullptr;
    g_menuFault = "the menu did not open";
    PostMessageA(owner, kTrayCallback, 1, button);
    HWND menu = WaitForOneMenu(ProcessOf(owner), 5000);
    g_menuFault = "the menu did not take the keyboard";
    if (!menu || !WaitForMenuMode(menu, 5000)) return nullptr;
    // Off the menu, which opened under the pointer: a pointer move over it would choose the item beneath.
    SetCursorPos(2, 2);
    return menu;
}

std::string g_run;  // the program and case being measured

// A run that went wrong: said, and not counted.
double Failed(const char* why) {
    std::printf("hide latency, %s: a run is repeated: %s\n", g_run.c_str(), why);
    return -1;
}

// Whether the window at the screen's centre is kept above the others, as a face shown on top is.
bool CentreOnTop() {
    return IsTopmost(GetAncestor(
        WindowFromPoint({GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2}), GA_ROOT));
}

// One face shown from the menu: the time from Enter to the nine points showing `colour`; then it is taken
// away with a right click in the corner. Negative on failure.
double ShowOnce(HWND owner, UINT button, int downs, COLORREF colour, bool top) {
    if (!OpenMenu(owner, button)) return Failed(g_menuFault);
    for (int i = 0; i < downs; ++i) input::Key(VK_DOWN);
    const double start = Now();
    input::Key(VK_RETURN);
    // A lost key chooses another item, or none: another face, another placement, or nothing shown.
    if (!Until([&] { return PointsAre(colour); }, 2000)) return Failed("the face did not show");
    const double ms = Now() - start;
    if (CentreOnTop() != top) return Failed("the face showed in the other placement");
    RightClickCorner();
    if (!Until([&] { return PointsAre(colour, true); })) return Failed("the face was not taken away");
    return ms;
}

// After a run that went wrong: the menu closed and the face taken away, whichever shows.
void Recover(HWND owner, const char* faceClass) {
    // Not a key: the menu that lost one may lose that too.
    CancelMenus(ProcessOf(owner), 3000);
    HWND face = VisibleWindowOf(faceClass, ProcessOf(owner));
    if (face) RightClickCorner();
    Until([&] { return !face || !IsWindowVisible(face); }, 2000);
}

struct Case {
    const char* name;
    UINT button;
    int downs;
    COLORREF colour;
    bool top;
};

// Runs each case `runs` times (after one warm-up) against the started program; medians, or -1.
std::vector<double> Measure(const std::string& exe, const char* cls, const char* faceClass,
                            const std::vector<Case>& cases, int runs,
                            const std::vector<std::function<void(HWND)>>& before) {
    std::vector<double> medians;
    Process program(exe);
    HWND owner = nullptr;
    Until([&] { return (owner = WindowOf(cls, program.Pid())) != nullptr; });
    WaitForInputIdle(program.Handle(), 5000);
    for (size_t c = 0; owner && c < cases.size(); ++c) {
        if (c < before.size() && before[c]) before[c](owner);
        std::vector<double> ms;
        for (int r = 0, repeats = 0; r <= runs && repeats <= runs / 4; ++r) {
            const Case& k = cases[c];
            g_run = std::string(cls) + ", " + k.name;
            const double t = ShowOnce(owner, k.button, k.downs, k.colour, k.top);
            if (t < 0) {
                // Put right, and set up again: a run that went astray may have chosen another face.
                Recover(owner, faceClass);
                if (c < before.size() && before[c]) before[c](owner);
                ++repeats;
                --r;
            } else if (r > 0) {
                ms.push_back(t);
            }
        }
        medians.push_back(ms.size() == static_cast<size_t>(runs) ? Median(ms) : -1);
    }
    program.Close(owner);
    return medians;
}

}  // namespace

namespace {

// A window of the bench's own under the faces, in a colour no face shows.
PlainWindow* background;
void ShowBackground(COLORREF colour) {
    background->SetColour(colour);
    background->Show(false);
    Until([&] { return PointsAre(colour); });
}
void HideBackground() {
    background->Hide();
    Until([] { return PointsAre(RGB(128, 128, 128), true); });
}

constexpr COLORREF kWallpaper = RGB(0, 160, 0);

void StoreSettings(const std::string& bmp) {
    // Hidden at start, black face, on top; the wallpaper face is our BMP, tiled.
    const std::pair<const char*, std::string> values[] = {{"AUTO", "0"},   {"UE", "1"},   {"mode", "0"},
                                                          {"MUE", "1"},    {"Kabe", "0"}, {"ICHI", "1"},
                                                          {"BMPFile", bmp}};
    for (auto& [name, value] : values)
        registry::SetString(HKEY_CURRENT_USER, "Software\\VANTE SOFT32\\OBSC32", name, value);
}

void Report(const char* what, double cover, double bare) {
    if (cover < 0 || (bare == 0 ? false : bare < 0)) {
        std::printf("hide latency, %s: not measured (too many runs went wrong)\n", what);
    } else if (bare > 0) {
        std::printf(
            "hide latency, %s: median %.1f ms against %.1f ms for a bare black popup, ratio %.2f "
            "(target at most 1.2, and under 16.7 ms)\n",
            what, cover, bare, cover / bare);
    } else {
        std::printf("hide latency, %s: median %.1f ms\n", what, cover);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc == 4 ? std::atoi(argv[1]) : 0;
    if (runs < 1) {
        std::fprintf(stderr, "usage: hide_bench <runs> <OBSC32.EXE> <bare_cover.exe>\n");
        return 2;
    }
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    points = bench::NinePoints(work);
    PlainWindow grey(work, RGB(128, 128, 128), WS_EX_TOOLWINDOW);
    background = &grey;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string bmp = std::string(temp) + "hide_bench.bmp";
    // A small one-colour picture for the wallpaper face, tiled over the screen.
    if (!grey.Handle() || !SaveBmp24(bmp, 16, 16, [](int, int) { return kWallpaper; })) return 1;
    StoreSettings(bmp);
    HideBackground();
    const bool desktopBlack = !PointsAre(RGB(0, 0, 0), true);

    const COLORREF black = RGB(0, 0, 0);
    const auto onGrey = [](HWND) { ShowBackground(RGB(128, 128, 128)); };
    const auto bare = [](HWND) { HideBackground(); };
    // The bottom placement shows the face chosen last: black, chosen on top first.
    const auto blackBare = [&](HWND owner) {
        if (ShowOnce(owner, WM_LBUTTONDOWN, 1, black, true) < 0) Recover(owner, "TOBSCURIO32VANTE");
        HideBackground();
    };
    // The capture face shows what was grabbed over the grey background, now over a white one.
    const auto grabGrey = [&](HWND owner) {
        ShowBackground(RGB(128, 128, 128));
        // Taken before the cover shows.
        if (OpenMenu(owner, WM_LBUTTONDOWN)) {
            input::Key(VK_DOWN);
            input::Key(VK_DOWN);
            input::Key(VK_RETURN);
            Until([&] { return IsWindowVisible(owner) != FALSE; });
            RightClickCorner();
            Until([&] { return !IsWindowVisible(owner); });
        }
        ShowBackground(RGB(255, 255, 255));
    };
    const std::vector<Case> coverCases = {
        {"black, top", WM_LBUTTONDOWN, 1, black, true},
        {"black, bottom", WM_RBUTTONDOWN, 5, black, false},
        {"wallpaper, top", WM_LBUTTONDOWN, 3, kWallpaper, true},
        {"capture (kept), top", WM_LBUTTONDOWN, 2, RGB(128, 128, 128), true}};
    const std::vector<Case> bareCases = {{"black, top", WM_LBUTTONDOWN, 1, black, true},
                                         {"black, bottom", WM_RBUTTONDOWN, 5, black, false}};
    // Turn about, so both meet the same load.
    std::vector<std::vector<double>> cover(4), bareMs(2);
    // Five rounds: the machine's own pace drifts over a run, and a round of each program follows it.
    constexpr int kRounds = 5;
    for (int round = 0; round < kRounds; ++round) {
        auto c = Measure(argv[2], "TOBSCURIO32VANTE", "TOBSCURIO32VANTE", coverCases, runs,
                         {onGrey, blackBare, onGrey, grabGrey});
        auto b =
            Measure(argv[3], "ObscBenchBareCover", "ObscBenchBarePopup", bareCases, runs, {onGrey, bare});
        for (size_t i = 0; i < c.size(); ++i) cover[i].push_back(c[i]);
        for (size_t i = 0; i < b.size(); ++i) bareMs[i].push_back(b[i]);
    }
    // A round where a case went astray too often is left out (a stray key can change the state a case needs
    // for the rest of that program's round, such as the kept capture); the others still make the median.
    std::vector<int> lost(4), lostBare(2);
    auto mid = [&](std::vector<double> v, int& leftOut) {
        const auto end = std::remove_if(v.begin(), v.end(), [](double ms) { return ms < 0; });
        leftOut = static_cast<int>(v.end() - end);
        v.erase(end, v.end());
        return v.empty() ? -1.0 : Median(v);
    };
    std::printf("hide latency: %d runs in each of %d rounds; medians of the round medians\n", runs, kRounds);
    Report("black, top", mid(cover[0], lost[0]), mid(bareMs[0], lostBare[0]));
    if (desktopBlack)
        std::printf("hide latency, black, bottom: not measured (the desktop itself is black here)\n");
    else
        Report("black, bottom", mid(cover[1], lost[1]), mid(bareMs[1], lostBare[1]));
    Report("wallpaper, top", mid(cover[2], lost[2]), 0);
    Report("capture shown again, top", mid(cover[3], lost[3]), 0);
    for (size_t c = 0; c < lost.size(); ++c) {
        const int bareLost = c < lostBare.size() ? lostBare[c] : 0;
        if (lost[c] || bareLost)
            std::printf(
                "hide latency, %s: rounds left out (too many runs went wrong): %d of the cover's, %d of "
                "the bare popup's, of %d\n",
                coverCases[c].name, lost[c], bareLost, kRounds);
    }
    DeleteFileW(testing_common::W(bmp).c_str());
    return 0;
}
