#include "widgets/work_area.hpp"

#include <windows.h>

#include "ui/application.hpp"
#include "ui/form.hpp"
#include "ui/gdi.hpp"
#include "widgets/mkbox_layout.hpp"
#include "widgets/work_area_rules.hpp"

namespace obsc32 {

namespace {
// The taskbar found before; shared by every caller for the whole run.
HWND rememberedTaskbar = nullptr;

bool HasEmptyTitle(HWND wnd) {
    wchar_t title[100];
    SetLastError(0);
    int n = GetWindowTextW(wnd, title, 100);
    return n == 0 && GetLastError() == 0;
}
}  // namespace

WorkArea GetWorkArea() {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const WorkArea fullScreen{ui::Rect{0, 0, w, h}, false};

    // A remembered bar whose window has gone is looked for afresh, and replaced.
    if (rememberedTaskbar && !IsWindow(rememberedTaskbar)) rememberedTaskbar = nullptr;
    HWND bar = rememberedTaskbar;
    HWND firstCandidate = nullptr;
    if (!bar) {
        const POINT probes[] = {{1, 1}, {1, h - 1}, {w - 1, 1}, {w - 1, h - 1}};
        for (POINT p : probes) {
            HWND cand = WindowFromPoint(p);
            if (!cand || !IsTaskbarCandidate(ui::WindowRect(cand), w, h) || !HasEmptyTitle(cand)) continue;
            if (!firstCandidate) firstCandidate = cand;
            if (!bar || reinterpret_cast<UINT_PTR>(cand) < reinterpret_cast<UINT_PTR>(bar)) bar = cand;
        }
        if (!bar) return fullScreen;
    }

    std::optional<ui::Rect> area = WorkAreaBesideTaskbar(ui::WindowRect(bar), w, h);
    if (!area) {
        rememberedTaskbar = nullptr;
        return fullScreen;
    }
    if (!rememberedTaskbar) rememberedTaskbar = firstCandidate;
    return WorkArea{*area, true};
}

ui::Rect PlaceOverMainWindow(HWND source, int width, int height) {
    ui::Form* main = ui::Application::Instance().MainForm();
    HWND anchorWnd = source ? source : main && main->HandleAllocated() ? main->Handle() : nullptr;
    std::optional<ui::Rect> anchor;
    if (anchorWnd) anchor = ui::WindowRect(anchorWnd);
    return PlaceBox(anchor, GetWorkArea().Area, width, height);
}

void RepaintMainWindow() {
    if (ui::Form* main = ui::Application::Instance().MainForm(); main && main->HandleAllocated()) {
        InvalidateRect(main->Handle(), nullptr, TRUE);
        UpdateWindow(main->Handle());
    }
}

bool FollowMainWindowColours(ui::Form& form) {
    ui::Form* main = ui::Application::Instance().MainForm();
    if (!main || main == &form || (form.Color() == main->Color() && form.FontColor() == main->FontColor()))
        return false;
    form.SetColor(main->Color());
    form.SetFontColor(main->FontColor());
    return true;
}

}  // namespace obsc32
