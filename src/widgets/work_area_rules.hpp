// How a window found at a screen corner is judged to be the taskbar, and the work area it leaves.
#pragma once

namespace obsc32 {

struct WinRect {
    long L = 0, T = 0, R = 0, B = 0;
};

// Centred on the screen along one axis, not at the screen's edge, and no larger than half the other axis
// (plus 2). The title test is the caller's.
bool IsTaskbarCandidate(const WinRect& r, int screenW, int screenH);

struct WorkArea {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// The area the bar leaves free; false (and the full screen) when that area would be empty.
bool WorkAreaBesideTaskbar(const WinRect& bar, int screenW, int screenH, WorkArea& area);

}  // namespace obsc32
