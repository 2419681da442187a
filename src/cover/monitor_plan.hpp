// The cover across several monitors: what it covers, where its restore corner is, and the wallpaper drawn on
// each monitor by the position rule, as the system draws a desktop wallpaper per monitor.
#pragma once
#include <vector>

#include "cover/tiling.hpp"

namespace obsc32 {

// Right and bottom are outside, as in a Win32 RECT.
struct ScreenRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const ScreenRect&) const = default;
};

struct ScreenLayout {
    ScreenRect Area;     // what the cover covers, in screen coordinates (may start left of or above 0, 0)
    ScreenRect Primary;  // the primary monitor, whose top-left is 0, 0
    std::vector<ScreenRect> Monitors;  // each within Area, none empty
    // The cover is cut to its monitors: some of the Area lies on monitors it leaves alone.
    bool Shaped = false;
    // The wallpaper is composed monitor by monitor rather than being the file itself.
    bool PerMonitor() const { return Monitors.size() != 1 || Monitors[0] != Area; }
    bool operator==(const ScreenLayout&) const = default;
};

// Every monitor (the virtual screen) or only the primary one. A virtual screen that misses the primary, or
// no monitor left in it, falls back to the primary alone.
ScreenLayout CoverLayout(bool allScreens, const ScreenRect& virtualScreen, const ScreenRect& primary,
                         const std::vector<ScreenRect>& monitors);

// The chosen monitors alone: the Area around them, the cover cut to them, and the restore corner on `corner`
// (the primary when it is chosen). None chosen is the primary alone.
ScreenLayout ChosenLayout(const std::vector<ScreenRect>& chosen, const ScreenRect& corner,
                          const ScreenRect& primary);

// A right click here restores: the top-left 20 x 20 pixels of the primary monitor, in the cover's client
// coordinates.
bool InRestoreCorner(const ScreenLayout& layout, int x, int y);

// The part of the cover's picture the paste writes, in the picture's coordinates. The system draws a wallpaper
// file on each monitor by its own style, so a picture of the whole Area is cut to the primary monitor's part;
// one of another size (the file itself, a capture from before a display change) is written whole.
ScreenRect PastedPart(const ScreenLayout& layout, int pictureW, int pictureH);

// The copies that draw a picture onto an Area-sized black target, each monitor by the position's rule; the
// stretched position instead draws the whole picture into each rectangle of Stretched.
struct MonitorWallpaperPlan {
    std::vector<Blit> Copies;  // in target coordinates (Area's top-left is 0, 0)
    std::vector<ScreenRect> Stretched;
};
MonitorWallpaperPlan PlanMonitorWallpaper(WallpaperPosition position, const ScreenLayout& layout, int imageW,
                                          int imageH);

}  // namespace obsc32
