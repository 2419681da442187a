#include "widgets/work_area_rules.hpp"

namespace obsc32 {

bool IsTaskbarCandidate(const WinRect& r, int w, int h) {
    bool across = r.L + r.R == w;
    bool upright = r.T + r.B == h;
    if (!across && !upright) return false;
    if (across && (r.L == 0 || r.B - r.T > h / 2 + 2)) return false;
    if (upright && (r.T == 0 || r.R - r.L > w / 2 + 2)) return false;
    return true;
}

bool WorkAreaBesideTaskbar(const WinRect& bar, int w, int h, WorkArea& a) {
    if (bar.L + bar.R == w) {
        a.Left = 0;
        a.Width = w;
        if (bar.T < 0) {
            a.Top = static_cast<int>(bar.B);
            a.Height = h - static_cast<int>(bar.B);
        } else {
            a.Top = 0;
            a.Height = static_cast<int>(bar.T);
        }
    } else {
        a.Top = 0;
        a.Height = h;
        if (bar.L < 0) {
            a.Left = static_cast<int>(bar.R);
            a.Width = w - static_cast<int>(bar.R);
        } else {
            a.Left = 0;
            a.Width = static_cast<int>(bar.L);
        }
    }
    if (a.Width == 0 || a.Height == 0) {
        a = WorkArea{0, 0, w, h};
        return false;
    }
    return true;
}

}  // namespace obsc32
