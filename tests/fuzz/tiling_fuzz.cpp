// libFuzzer target: both tiling plans, run pixel by pixel on small screens, against the rule for one tile
// (one tile centred, a tile at least as large as the screen drawn from that edge); on large screens the fast
// plan's copies stay inside the target and cover it. The corner copy against where its corner puts the image.
// Across monitors: the cover's area and restore corner, and each monitor's pixels against its position's rule.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "cover/monitor_plan.hpp"
#include "cover/tiling.hpp"
#include "fuzz_input.hpp"

using namespace obsc32;

namespace {

// The tile column (or row) that the per-tile rule shows at screen column (or row) x.
int TileAt(int x, int screen, int tile) {
    if (screen <= tile) return x;
    const int shift = (screen - tile) / 2;  // where the centred tile starts
    return ((x - shift) % tile + tile) % tile;
}

bool Inside(long long x, long long y, long long w, long long h, long long boundW, long long boundH) {
    return x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= boundW && y + h <= boundH;
}

// Runs the plan as BitBlt would; a tile pixel is its own index, -1 is not yet drawn.
void Draw(const std::vector<Blit>& plan, int W, int H, int tw, int th, bool fast) {
    std::vector<int> target(static_cast<std::size_t>(W) * H, -1), writes(target.size(), 0);
    int fromTile = 0;
    for (const Blit& b : plan) {
        FUZZ_CHECK(Inside(b.X, b.Y, b.W, b.H, W, H));
        if (b.From == Blit::FromTile) {
            ++fromTile;
            FUZZ_CHECK(Inside(b.SX, b.SY, b.W, b.H, tw, th));
        } else {
            FUZZ_CHECK(fast && Inside(b.SX, b.SY, b.W, b.H, W, H));
            FUZZ_CHECK(b.SX + b.W <= b.X || b.X + b.W <= b.SX || b.SY + b.H <= b.Y || b.Y + b.H <= b.SY);
        }
        for (int y = 0; y < b.H; ++y)
            for (int x = 0; x < b.W; ++x) {
                const std::size_t to = static_cast<std::size_t>(b.Y + y) * W + b.X + x;
                const int v = b.From == Blit::FromTile
                                  ? (b.SY + y) * tw + b.SX + x
                                  : target[static_cast<std::size_t>(b.SY + y) * W + b.SX + x];
                FUZZ_CHECK(v >= 0);  // never copies what is not drawn yet
                target[to] = v;
                ++writes[to];
            }
    }
    if (fast) FUZZ_CHECK(fromTile <= 4);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * W + x;
            FUZZ_CHECK(target[at] == TileAt(y, H, th) * tw + TileAt(x, W, tw));
            FUZZ_CHECK(writes[at] == 1);
        }
}

// Cells between every edge the copies name: each must be drawn exactly once, and copies from the target
// must read only drawn cells.
void CheckLarge(int W, int H, int tw, int th) {
    const std::vector<Blit> plan = PlanTilesFast(W, H, tw, th);
    std::vector<int> xs{0, W}, ys{0, H};
    for (const Blit& b : plan) {
        FUZZ_CHECK(Inside(b.X, b.Y, b.W, b.H, W, H));
        FUZZ_CHECK(b.From == Blit::FromTile ? Inside(b.SX, b.SY, b.W, b.H, tw, th)
                                            : Inside(b.SX, b.SY, b.W, b.H, W, H));
        xs.insert(xs.end(), {b.X, b.X + b.W});
        ys.insert(ys.end(), {b.Y, b.Y + b.H});
        if (b.From == Blit::FromTarget) {
            xs.insert(xs.end(), {b.SX, b.SX + b.W});
            ys.insert(ys.end(), {b.SY, b.SY + b.H});
        }
    }
    FUZZ_CHECK(plan.size() < 80);  // doubling copies: a few per power of two
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    const std::size_t nx = xs.size() - 1, ny = ys.size() - 1;
    std::vector<int> drawn(nx * ny, 0);
    auto cells = [&](int x, int y, int w, int h, auto&& visit) {
        const std::size_t x0 = std::lower_bound(xs.begin(), xs.end(), x) - xs.begin();
        const std::size_t x1 = std::lower_bound(xs.begin(), xs.end(), x + w) - xs.begin();
        const std::size_t y0 = std::lower_bound(ys.begin(), ys.end(), y) - ys.begin();
        const std::size_t y1 = std::lower_bound(ys.begin(), ys.end(), y + h) - ys.begin();
        for (std::size_t j = y0; j < y1; ++j)
            for (std::size_t i = x0; i < x1; ++i) visit(drawn[j * nx + i]);
    };
    for (const Blit& b : plan) {
        if (b.From == Blit::FromTarget) cells(b.SX, b.SY, b.W, b.H, [](int& d) { FUZZ_CHECK(d == 1); });
        cells(b.X, b.Y, b.W, b.H, [](int& d) { FUZZ_CHECK(++d == 1); });
    }
    for (int d : drawn) FUZZ_CHECK(d == 1);
}

void CheckCorner(int position, int W, int H, int iw, int ih) {
    const Blit b = PlanCorner(static_cast<WallpaperPosition>(position), W, H, iw, ih);
    const bool left = position == 4, top = position == 5;
    if ((position < 4 || position > 6) || W <= 0 || H <= 0 || iw <= 0 || ih <= 0) {
        FUZZ_CHECK(b == Blit{});
        return;
    }
    FUZZ_CHECK(b.From == Blit::FromTile && Inside(b.X, b.Y, b.W, b.H, W, H) &&
               Inside(b.SX, b.SY, b.W, b.H, iw, ih));
    // Target pixel (x, y) shows image pixel (x - ax, y - ay) wherever that exists.
    const long long ax = left ? 0 : static_cast<long long>(W) - iw,
                    ay = top ? 0 : static_cast<long long>(H) - ih;
    FUZZ_CHECK(b.X - b.SX == ax && b.Y - b.SY == ay);
    FUZZ_CHECK(b.W == std::min<long long>(W, ax + iw) - std::max<long long>(0, ax));
    FUZZ_CHECK(b.H == std::min<long long>(H, ay + ih) - std::max<long long>(0, ay));
}

// Image pixel (x, y) of monitor pixel (x, y) by the position's rule; -1 where it shows black.
int RuleAt(int position, int x, int y, int w, int h, int iw, int ih) {
    if (position == 1) return TileAt(y, h, ih) * iw + TileAt(x, w, iw);
    const int ax = position == 0 ? (w - iw) / 2 : position == 3 || position == 4 ? 0 : w - iw;
    const int ay = position == 0 ? (h - ih) / 2 : position == 3 || position == 5 ? 0 : h - ih;
    return x - ax >= 0 && x - ax < iw && y - ay >= 0 && y - ay < ih ? (y - ay) * iw + x - ax : -1;
}

void CheckMonitors(fuzz::Input& in) {
    auto n = [&](int lo, int hi) { return static_cast<int>(in.Range(lo, hi)); };
    auto rect = [&](int x, int y) { return ScreenRect{x, y, x + n(0, 40), y + n(0, 40)}; };
    std::vector<ScreenRect> monitors{rect(0, 0)};
    ScreenRect all = monitors[0];
    for (int i = n(0, 3); i > 0; --i) {
        const ScreenRect& m = monitors.emplace_back(rect(n(-50, 50), n(-50, 50)));
        all = {std::min(all.Left, m.Left), std::min(all.Top, m.Top), std::max(all.Right, m.Right),
               std::max(all.Bottom, m.Bottom)};
    }
    const ScreenRect primary = monitors[0];
    const bool every = in.Bool();
    const ScreenLayout l = CoverLayout(every, in.Bool() ? all : rect(n(-9, 0), n(-9, 0)), primary, monitors);
    FUZZ_CHECK(every || (l.Area == primary && !l.PerMonitor()));
    // The corner is the screen's 20 x 20 pixels from (0, 0), where the primary monitor starts.
    const int cx = n(-2, 24), cy = n(-2, 24);
    FUZZ_CHECK(InRestoreCorner(l, cx - l.Area.Left, cy - l.Area.Top) ==
               (cx >= 0 && cx < 20 && cy >= 0 && cy < 20));

    const int position = n(0, 6), iw = n(1, 48), ih = n(1, 48), W = l.Area.Width(), H = l.Area.Height();
    const MonitorWallpaperPlan plan =
        PlanMonitorWallpaper(static_cast<WallpaperPosition>(position), l, iw, ih);
    std::vector<int> target(static_cast<std::size_t>(std::max(0, W) * std::max(0, H)), -1), expected = target;
    auto at = [&](int x, int y) { return static_cast<std::size_t>(y) * W + x; };
    for (const Blit& b : plan.Copies) {
        FUZZ_CHECK(Inside(b.X, b.Y, b.W, b.H, W, H) &&
                   Inside(b.SX, b.SY, b.W, b.H, b.From ? W : iw, b.From ? H : ih));
        for (int y = 0; y < b.H; ++y)
            for (int x = 0; x < b.W; ++x)
                target[at(b.X + x, b.Y + y)] =
                    b.From ? target[at(b.SX + x, b.SY + y)] : (b.SY + y) * iw + b.SX + x;
    }
    // Each pixel as the last monitor that draws on it draws it, monitors being clipped to the area; the
    // stretched position is each whole monitor.
    std::vector<ScreenRect> stretched;
    for (const ScreenRect& m : l.Monitors) {
        FUZZ_CHECK(m.Left >= l.Area.Left && m.Top >= l.Area.Top && m.Right <= W + l.Area.Left &&
                   m.Bottom <= H + l.Area.Top);
        const ScreenRect r{m.Left - l.Area.Left, m.Top - l.Area.Top, m.Right - l.Area.Left,
                           m.Bottom - l.Area.Top};
        if (position == 2 && !r.Empty()) stretched.push_back(r);
        for (int y = r.Top; position != 2 && y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (int v = RuleAt(position, x - r.Left, y - r.Top, r.Width(), r.Height(), iw, ih); v >= 0)
                    expected[at(x, y)] = v;
    }
    FUZZ_CHECK(plan.Stretched == stretched && target == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const int mode = in.Byte() % 4;
    if (mode == 0) {
        const int W = in.Range(1, 96), H = in.Range(1, 96), tw = in.Range(1, 128), th = in.Range(1, 128);
        Draw(PlanTilesPerTile(W, H, tw, th), W, H, tw, th, false);
        Draw(PlanTilesFast(W, H, tw, th), W, H, tw, th, true);
    } else if (mode == 1) {
        const int W = in.Range(1, 1 << 16), H = in.Range(1, 1 << 16);
        CheckLarge(W, H, in.Range(1, 1 << 16), in.Range(1, 1 << 16));
        // Nothing for an empty screen or tile.
        FUZZ_CHECK(PlanTilesFast(0, H, W, H).empty() && PlanTilesPerTile(W, H, -W, H).empty());
    } else if (mode == 3) {
        CheckMonitors(in);
    } else {
        const int position = in.Range(-1, 8);
        const int W = in.Range(-2, 1 << 16), H = in.Range(-2, 1 << 16);
        CheckCorner(position, W, H, in.Range(-2, 1 << 16), in.Range(-2, 1 << 16));
    }
    return 0;
}
