#include "widgets/work_area_rules.hpp"

namespace obsc32 {

bool IsTaskbarCandidate(const ui::Rect& r, int w, int h) {
    bool across = r.Left + r.Right() == w;
    bool upright = r.Top + r.Bottom() == h;
    if (!across && !upright) return false;
    if (across && (r.Left == 0 || r.Height > h / 2 + 2)) return false;
    if (upright && (r.Top == 0 || r.Width > w / 2 + 2)) return false;
    return true;
}

std::optional<ui::Rect> WorkAreaBesideTaskbar(const ui::Rect& bar, int w, int h) {
    ui::Rect a;
    if (bar.Left + bar.Right() == w) {
        a.Left = 0;
        a.Width = w;
        if (bar.Top < 0) {
            a.Top = bar.Bottom();
            a.Height = h - bar.Bottom();
        } else {
            a.Top = 0;
            a.Height = bar.Top;
        }
    } else {
        a.Top = 0;
        a.Height = h;
        if (bar.Left < 0) {
            a.Left = bar.Right();
            a.Width = w - bar.Right();
        } else {
            a.Left = 0;
            a.Width = bar.Left;
        }
    }
    if (a.Width == 0 || a.Height == 0) return std::nullopt;
    return a;
}

}  // namespace obsc32
