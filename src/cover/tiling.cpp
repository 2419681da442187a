#include "cover/tiling.hpp"

#include <algorithm>

namespace obsc32 {

namespace {

// The tile row (or column) shown at target row (or column) 0. A tile at least as large as the screen
// starts at the edge; otherwise the first partial tile shows the last e pixels of the tile.
int StartInTile(int screen, int tile) {
    if (screen - tile <= 0) return 0;
    const int e = ((screen - tile) / 2) % tile;
    return e == 0 ? 0 : tile - e;
}

// The first row (or column) of the per-tile rule: where it starts in the tile and how long it is. With
// e = 0 it is empty and starts at the tile's far edge, so the next one starts at the tile's origin.
void FirstSegment(int screen, int tile, int& start, int& length) {
    if (screen - tile <= 0) {
        start = 0;
        length = screen;
        return;
    }
    const int e = ((screen - tile) / 2) % tile;
    start = tile - e;
    length = e;
}

void AddBlit(std::vector<Blit>& plan, Blit::Source from, int x, int y, int w, int h, int sx, int sy) {
    if (w <= 0 || h <= 0) return;
    plan.push_back(Blit{from, x, y, w, h, sx, sy});
}

}  // namespace

std::vector<Blit> PlanTilesPerTile(int screenW, int screenH, int tileW, int tileH) {
    std::vector<Blit> plan;
    if (screenW <= 0 || screenH <= 0 || tileW <= 0 || tileH <= 0) return plan;

    int sy, rh;
    FirstSegment(screenH, tileH, sy, rh);
    int y = 0;
    while (y < screenH) {
        if (screenH - y < rh) rh = screenH - y;
        int sx, cw;
        FirstSegment(screenW, tileW, sx, cw);
        int x = 0;
        while (x < screenW) {
            if (screenW - x < cw) cw = screenW - x;
            AddBlit(plan, Blit::FromTile, x, y, cw, rh, sx, sy);
            x += cw;
            if (sx != 0) {
                sx = 0;
                cw = tileW;
            }
        }
        y += rh;
        if (sy != 0) {
            sy = 0;
            rh = tileH;
        }
    }
    return plan;
}

std::vector<Blit> PlanTilesFast(int screenW, int screenH, int tileW, int tileH) {
    std::vector<Blit> plan;
    if (screenW <= 0 || screenH <= 0 || tileW <= 0 || tileH <= 0) return plan;

    // The composed picture repeats with the tile's period, so one period block seeds everything.
    const int ox = StartInTile(screenW, tileW);
    const int oy = StartInTile(screenH, tileH);
    const int pw = std::min(screenW, tileW);
    const int ph = std::min(screenH, tileH);
    // Within the block the tile wraps around once at most in each direction.
    const int w1 = std::min(pw, tileW - ox);
    const int h1 = std::min(ph, tileH - oy);
    AddBlit(plan, Blit::FromTile, 0, 0, w1, h1, ox, oy);
    AddBlit(plan, Blit::FromTile, w1, 0, pw - w1, h1, 0, oy);
    AddBlit(plan, Blit::FromTile, 0, h1, w1, ph - h1, ox, 0);
    AddBlit(plan, Blit::FromTile, w1, h1, pw - w1, ph - h1, 0, 0);

    // Doubling copies: [0, k) is a whole number of periods, so it continues itself at k. The source and
    // destination never overlap, and k never exceeds the screen size (no overflow).
    for (int k = pw; k < screenW;) {
        const int n = std::min(k, screenW - k);
        AddBlit(plan, Blit::FromTarget, k, 0, n, ph, 0, 0);
        k += n;
    }
    for (int k = ph; k < screenH;) {
        const int n = std::min(k, screenH - k);
        AddBlit(plan, Blit::FromTarget, 0, k, screenW, n, 0, 0);
        k += n;
    }
    return plan;
}

Blit PlanCorner(WallpaperPosition position, int targetW, int targetH, int imageW, int imageH) {
    Blit b;
    const bool left = position == WallpaperPosition::BottomLeft,
               top = position == WallpaperPosition::TopRight;
    if (!left && !top && position != WallpaperPosition::BottomRight) return b;
    if (targetW <= 0 || targetH <= 0 || imageW <= 0 || imageH <= 0) return b;

    int x = left ? 0 : targetW - imageW;
    int y = top ? 0 : targetH - imageH;
    int w = imageW, h = imageH, sx = 0, sy = 0;
    if (x < 0) {
        sx = -x;
        x = 0;
        w = targetW;
    }
    if (y < 0) {
        sy = -y;
        y = 0;
        h = targetH;
    }
    // The anchored edge at 0 with a larger image: the copy would be clipped by the target anyway.
    b.X = x;
    b.Y = y;
    b.W = std::min(w, targetW - x);
    b.H = std::min(h, targetH - y);
    b.SX = sx;
    b.SY = sy;
    return b;
}

}  // namespace obsc32
