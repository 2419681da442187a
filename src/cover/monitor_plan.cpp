#include "cover/monitor_plan.hpp"

#include <algorithm>

namespace obsc32 {

namespace {

ScreenRect Intersect(const ScreenRect& a, const ScreenRect& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}

// The picture at its natural size with its top-left at (x, y) of a w x h monitor, cut at the monitor's edges.
void AddPlaced(std::vector<Blit>& copies, int ox, int oy, int w, int h, int x, int y, int imageW,
               int imageH) {
    const int dx = std::max(0, x), dy = std::max(0, y);
    const int cw = std::min(w, x + imageW) - dx, ch = std::min(h, y + imageH) - dy;
    if (cw > 0 && ch > 0) copies.push_back(Blit{Blit::FromTile, ox + dx, oy + dy, cw, ch, dx - x, dy - y});
}

}  // namespace

ScreenLayout CoverLayout(bool allScreens, const ScreenRect& virtualScreen, const ScreenRect& primary,
                         const std::vector<ScreenRect>& monitors) {
    ScreenLayout layout;
    layout.Primary = primary;
    if (allScreens && !virtualScreen.Empty() && Intersect(virtualScreen, primary) == primary) {
        layout.Area = virtualScreen;
        for (const ScreenRect& m : monitors) {
            const ScreenRect inside = Intersect(m, virtualScreen);
            if (!inside.Empty()) layout.Monitors.push_back(inside);
        }
    }
    if (layout.Monitors.empty()) {
        layout.Area = primary;
        layout.Monitors = {primary};
    }
    return layout;
}

ScreenRect PastedPart(const ScreenLayout& layout, int pictureW, int pictureH) {
    const ScreenRect whole{0, 0, pictureW, pictureH};
    const ScreenRect& area = layout.Area;
    if (pictureW != area.Width() || pictureH != area.Height()) return whole;
    const ScreenRect& p = layout.Primary;
    return Intersect({p.Left - area.Left, p.Top - area.Top, p.Right - area.Left, p.Bottom - area.Top}, whole);
}

ScreenLayout ChosenLayout(const std::vector<ScreenRect>& chosen, const ScreenRect& corner,
                          const ScreenRect& primary) {
    if (chosen.empty()) return CoverLayout(false, {}, primary, {});
    ScreenLayout layout;
    layout.Primary = corner;
    layout.Area = chosen[0];
    long long covered = 0;
    for (const ScreenRect& m : chosen) {
        layout.Area = {std::min(layout.Area.Left, m.Left), std::min(layout.Area.Top, m.Top),
                       std::max(layout.Area.Right, m.Right), std::max(layout.Area.Bottom, m.Bottom)};
        covered += static_cast<long long>(m.Width()) * m.Height();
        layout.Monitors.push_back(m);
    }
    layout.Shaped = covered < static_cast<long long>(layout.Area.Width()) * layout.Area.Height();
    return layout;
}

bool InRestoreCorner(const ScreenLayout& layout, int x, int y) {
    const int cx = x - (layout.Primary.Left - layout.Area.Left);
    const int cy = y - (layout.Primary.Top - layout.Area.Top);
    return cx >= 0 && cx < 20 && cy >= 0 && cy < 20;
}

MonitorWallpaperPlan PlanMonitorWallpaper(WallpaperPosition position, const ScreenLayout& layout, int imageW,
                                          int imageH) {
    MonitorWallpaperPlan plan;
    if (imageW <= 0 || imageH <= 0) return plan;
    for (const ScreenRect& m : layout.Monitors) {
        const int ox = m.Left - layout.Area.Left, oy = m.Top - layout.Area.Top;
        const int w = m.Width(), h = m.Height();
        if (w <= 0 || h <= 0) continue;
        switch (position) {
            case WallpaperPosition::Stretch: plan.Stretched.push_back({ox, oy, ox + w, oy + h}); break;
            case WallpaperPosition::Center:
                // Halved as the image control centres, so one monitor shows what the file itself would.
                AddPlaced(plan.Copies, ox, oy, w, h, (w - imageW) / 2, (h - imageH) / 2, imageW, imageH);
                break;
            case WallpaperPosition::TopLeft:
                AddPlaced(plan.Copies, ox, oy, w, h, 0, 0, imageW, imageH);
                break;
            case WallpaperPosition::Tile:
                for (Blit b : PlanTilesFast(w, h, imageW, imageH)) {
                    b.X += ox;
                    b.Y += oy;
                    // The doubling copies repeat what this monitor already holds.
                    if (b.From == Blit::FromTarget) {
                        b.SX += ox;
                        b.SY += oy;
                    }
                    plan.Copies.push_back(b);
                }
                break;
            default: {
                Blit b = PlanCorner(position, w, h, imageW, imageH);
                if (b.W <= 0 || b.H <= 0) break;
                b.X += ox;
                b.Y += oy;
                plan.Copies.push_back(b);
            }
        }
    }
    return plan;
}

}  // namespace obsc32
