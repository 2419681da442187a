#include "widgets/work_area.hpp"

#include <windows.h>

#include "widgets/work_area_rules.hpp"

namespace obsc32 {

int WorkLeft = 0, WorkTop = 0, WorkWidth = 0, WorkHeight = 0;

namespace {
HWND rememberedTaskbar = nullptr;

WinRect RectOf(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return WinRect{r.left, r.top, r.right, r.bottom};
}

bool HasEmptyTitle(HWND wnd) {
    char title[100];
    SetLastError(0);
    int n = GetWindowTextA(wnd, title, sizeof title);
    return n == 0 && GetLastError() == 0;
}
}  // namespace

void ForgetTaskbar() { rememberedTaskbar = nullptr; }

bool GetWorkArea() {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    WorkLeft = 0;
    WorkTop = 0;
    WorkWidth = w;
    WorkHeight = h;

    HWND bar = rememberedTaskbar;
    HWND firstCandidate = nullptr;
    if (!bar || !IsWindow(bar)) {
        bar = nullptr;
        const POINT probes[] = {{1, 1}, {1, h - 1}, {w - 1, 1}, {w - 1, h - 1}};
        for (POINT p : probes) {
            HWND cand = WindowFromPoint(p);
            if (!cand || !IsTaskbarCandidate(RectOf(cand), w, h) || !HasEmptyTitle(cand)) continue;
            if (!firstCandidate) firstCandidate = cand;
            if (!bar || reinterpret_cast<UINT_PTR>(cand) < reinterpret_cast<UINT_PTR>(bar)) bar = cand;
        }
        if (!bar) return false;
    }

    WorkArea area;
    if (!WorkAreaBesideTaskbar(RectOf(bar), w, h, area)) {
        rememberedTaskbar = nullptr;
        return false;
    }
    WorkLeft = area.Left;
    WorkTop = area.Top;
    WorkWidth = area.Width;
    WorkHeight = area.Height;
    if (!rememberedTaskbar) rememberedTaskbar = firstCandidate;
    return true;
}

}  // namespace obsc32
