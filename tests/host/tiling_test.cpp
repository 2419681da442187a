#include "cover/tiling.hpp"

#include <climits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "cover/monitor_plan.hpp"

using namespace obsc32;

namespace {

struct Grid {
    int W = 0, H = 0;
    std::vector<int> Px;
    Grid(int w, int h, int fill) : W(w), H(h), Px(static_cast<size_t>(w) * h, fill) {}
    int& At(int x, int y) { return Px[static_cast<size_t>(y) * W + x]; }
    int At(int x, int y) const { return Px[static_cast<size_t>(y) * W + x]; }
};

// Every tile pixel distinct, so a pixel taken from the wrong place shows.
Grid MakeTile(int w, int h) {
    Grid t(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) t.At(x, y) = y * w + x;
    return t;
}

bool Inside(long long x, long long y, long long w, long long h, int boundW, int boundH) {
    return x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= boundW && y + h <= boundH;
}

std::string Describe(const Blit& b) {
    return std::string(b.From == Blit::FromTile ? "tile" : "target") + " dst(" + std::to_string(b.X) + "," +
           std::to_string(b.Y) + "," + std::to_string(b.W) + "x" + std::to_string(b.H) + ") src(" +
           std::to_string(b.SX) + "," + std::to_string(b.SY) + ")";
}

// Runs a plan in order the way BitBlt would: copies from the target read what earlier copies composed.
// `writes` counts how often each target pixel is written.
::testing::AssertionResult Apply(const std::vector<Blit>& plan, const Grid& tile, Grid& target,
                                 std::vector<int>& writes) {
    writes.assign(target.Px.size(), 0);
    for (const Blit& b : plan) {
        if (!Inside(b.X, b.Y, b.W, b.H, target.W, target.H))
            return ::testing::AssertionFailure() << "destination outside the target: " << Describe(b);
        if (b.From == Blit::FromTile) {
            if (!Inside(b.SX, b.SY, b.W, b.H, tile.W, tile.H))
                return ::testing::AssertionFailure() << "source outside the tile: " << Describe(b);
            for (int y = 0; y < b.H; ++y)
                for (int x = 0; x < b.W; ++x) {
                    target.At(b.X + x, b.Y + y) = tile.At(b.SX + x, b.SY + y);
                    ++writes[static_cast<size_t>(b.Y + y) * target.W + b.X + x];
                }
        } else {
            if (!Inside(b.SX, b.SY, b.W, b.H, target.W, target.H))
                return ::testing::AssertionFailure() << "source outside the target: " << Describe(b);
            const bool apartX = b.SX + b.W <= b.X || b.X + b.W <= b.SX;
            const bool apartY = b.SY + b.H <= b.Y || b.Y + b.H <= b.SY;
            if (!apartX && !apartY)
                return ::testing::AssertionFailure() << "copy overlaps its own source: " << Describe(b);
            for (int y = 0; y < b.H; ++y)
                for (int x = 0; x < b.W; ++x) {
                    const int v = target.At(b.SX + x, b.SY + y);
                    if (v < 0)
                        return ::testing::AssertionFailure()
                               << "copy reads an uncomposed pixel: " << Describe(b);
                    target.At(b.X + x, b.Y + y) = v;
                    ++writes[static_cast<size_t>(b.Y + y) * target.W + b.X + x];
                }
        }
    }
    return ::testing::AssertionSuccess();
}

// The fast plan must draw exactly what the per-tile plan draws; the per-tile plan must cover every
// pixel exactly once with tile copies only.
::testing::AssertionResult SamePicture(int W, int H, int bw, int bh) {
    const Grid tile = MakeTile(bw, bh);
    Grid slow(W, H, -1), fast(W, H, -1);
    std::vector<int> writes;
    const std::vector<Blit> perTile = PlanTilesPerTile(W, H, bw, bh);
    for (const Blit& b : perTile)
        if (b.From != Blit::FromTile)
            return ::testing::AssertionFailure() << "per-tile plan copies the target";
    if (auto r = Apply(perTile, tile, slow, writes); !r) return r << " (per tile)";
    for (size_t i = 0; i < writes.size(); ++i)
        if (writes[i] != 1)
            return ::testing::AssertionFailure()
                   << "per-tile plan writes pixel " << i << " " << writes[i] << " times";
    const std::vector<Blit> fastPlan = PlanTilesFast(W, H, bw, bh);
    if (auto r = Apply(fastPlan, tile, fast, writes); !r) return r << " (fast)";
    int fromTile = 0;
    for (const Blit& b : fastPlan) fromTile += b.From == Blit::FromTile;
    if (fromTile > 4) return ::testing::AssertionFailure() << fromTile << " copies from the tile";
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (slow.At(x, y) != fast.At(x, y))
                return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") per tile "
                                                     << slow.At(x, y) << ", fast " << fast.At(x, y);
    return ::testing::AssertionSuccess();
}

#define EXPECT_SAME_PICTURE(W, H, bw, bh) \
    EXPECT_TRUE(SamePicture(W, H, bw, bh)) << (W) << "x" << (H) << " tile " << (bw) << "x" << (bh)

const Blit* FindAt(const std::vector<Blit>& plan, int x, int y) {
    for (const Blit& b : plan)
        if (b.X == x && b.Y == y) return &b;
    return nullptr;
}

}  // namespace

TEST(Tiling, WorkedExampleCentresOneTile) {
    const std::vector<Blit> plan = PlanTilesPerTile(1024, 768, 100, 100);
    ASSERT_FALSE(plan.empty());
    // First row 34 high from tile row 66, first column 62 wide from tile column 38.
    EXPECT_EQ(plan.front(), (Blit{Blit::FromTile, 0, 0, 62, 34, 38, 66}));
    const Blit* centred = FindAt(plan, 462, 334);
    ASSERT_NE(centred, nullptr);
    EXPECT_EQ(*centred, (Blit{Blit::FromTile, 462, 334, 100, 100, 0, 0}));
    // Rows 34 + 7 x 100 + 34, columns 62 + 9 x 100 + 62.
    EXPECT_EQ(plan.size(), 9u * 11u);
    EXPECT_EQ(plan[1], (Blit{Blit::FromTile, 62, 0, 100, 34, 0, 66}));
    EXPECT_EQ(plan[11], (Blit{Blit::FromTile, 0, 34, 62, 100, 38, 0}));
    EXPECT_EQ(plan.back(), (Blit{Blit::FromTile, 962, 734, 62, 34, 0, 0}));
    EXPECT_SAME_PICTURE(1024, 768, 100, 100);
}

TEST(Tiling, TileAsWideAsTheScreenIsOneColumnFromTheLeft) {
    const std::vector<Blit> plan = PlanTilesPerTile(1024, 768, 1024, 100);
    ASSERT_EQ(plan.size(), 9u);
    EXPECT_EQ(plan[0], (Blit{Blit::FromTile, 0, 0, 1024, 34, 0, 66}));
    EXPECT_EQ(plan[1], (Blit{Blit::FromTile, 0, 34, 1024, 100, 0, 0}));
    EXPECT_EQ(plan[8], (Blit{Blit::FromTile, 0, 734, 1024, 34, 0, 0}));
    EXPECT_SAME_PICTURE(1024, 768, 1024, 100);
}

TEST(Tiling, TileLargerThanTheScreenShowsItsTopLeftPart) {
    const std::vector<Blit> expected{Blit{Blit::FromTile, 0, 0, 1024, 768, 0, 0}};
    EXPECT_EQ(PlanTilesPerTile(1024, 768, 2000, 2000), expected);
    EXPECT_EQ(PlanTilesFast(1024, 768, 2000, 2000), expected);
    EXPECT_EQ(PlanTilesPerTile(1024, 768, 1024, 768), expected);
    EXPECT_EQ(PlanTilesFast(1024, 768, 1024, 768), expected);
}

TEST(Tiling, TileOnePixelNarrowerStartsAtTheLeftEdge) {
    // half2 = 0, so e2 = 0: the first column is empty and is skipped.
    const std::vector<Blit> plan = PlanTilesPerTile(1024, 768, 1023, 2000);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0], (Blit{Blit::FromTile, 0, 0, 1023, 768, 0, 0}));
    EXPECT_EQ(plan[1], (Blit{Blit::FromTile, 1023, 0, 1, 768, 0, 0}));
    EXPECT_SAME_PICTURE(1024, 768, 1023, 2000);
}

TEST(Tiling, HalfDistanceMultipleOfTheTileDrawsNoEmptyRow) {
    // H - bh = 200, half = 100, e = 0: rows start at y = 0 from tile row 0.
    const std::vector<Blit> plan = PlanTilesPerTile(60, 300, 100, 100);
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[0], (Blit{Blit::FromTile, 0, 0, 60, 100, 0, 0}));
    EXPECT_EQ(plan[2], (Blit{Blit::FromTile, 0, 200, 60, 100, 0, 0}));
    for (const Blit& b : PlanTilesPerTile(1024, 768, 1, 1)) ASSERT_TRUE(b.W == 1 && b.H == 1);
}

TEST(Tiling, DegenerateSizesGiveAnEmptyPlan) {
    const int bad[] = {0, -1, INT_MIN};
    for (int v : bad) {
        EXPECT_TRUE(PlanTilesPerTile(v, 768, 10, 10).empty());
        EXPECT_TRUE(PlanTilesPerTile(1024, v, 10, 10).empty());
        EXPECT_TRUE(PlanTilesPerTile(1024, 768, v, 10).empty());
        EXPECT_TRUE(PlanTilesPerTile(1024, 768, 10, v).empty());
        EXPECT_TRUE(PlanTilesFast(v, 768, 10, 10).empty());
        EXPECT_TRUE(PlanTilesFast(1024, v, 10, 10).empty());
        EXPECT_TRUE(PlanTilesFast(1024, 768, v, 10).empty());
        EXPECT_TRUE(PlanTilesFast(1024, 768, 10, v).empty());
    }
}

TEST(Tiling, FastPlanNeedsFewCopies) {
    const std::vector<Blit> p100 = PlanTilesFast(1920, 1080, 100, 100);
    const std::vector<Blit> p8 = PlanTilesFast(1920, 1080, 8, 8);
    const std::vector<Blit> p1 = PlanTilesFast(1920, 1080, 1, 1);
    // 4 from the tile (it wraps in both directions), 5 across (100..1920), 4 down (100..1080).
    EXPECT_EQ(p100.size(), 13u);
    // 2 from the tile (e2 = 956 mod 8 = 4 wraps, e = 536 mod 8 = 0 does not), 8 across, 8 down.
    EXPECT_EQ(p8.size(), 18u);
    // 1 from the tile, 11 across, 11 down.
    EXPECT_EQ(p1.size(), 23u);
    EXPECT_SAME_PICTURE(1920, 1080, 100, 100);
    EXPECT_SAME_PICTURE(1920, 1080, 8, 8);
    EXPECT_SAME_PICTURE(1920, 1080, 1, 1);
}

TEST(Tiling, FastPlanHandlesTheLargestSizesWithoutOverflow) {
    // Under UBSan any int overflow fails the test; the plan must stay small and inside the bounds.
    const int sizes[][4] = {{INT_MAX, INT_MAX, 1, 1},           {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
                            {INT_MAX, INT_MAX, INT_MAX - 1, 3}, {INT_MAX, 1, INT_MAX / 2 + 1, 1},
                            {3, INT_MAX, 2, INT_MAX / 3},       {1, 1, INT_MAX, INT_MAX}};
    for (const auto& s : sizes) {
        const std::vector<Blit> plan = PlanTilesFast(s[0], s[1], s[2], s[3]);
        EXPECT_FALSE(plan.empty());
        EXPECT_LE(plan.size(), 4u + 32u + 32u);
        for (const Blit& b : plan) {
            EXPECT_TRUE(Inside(b.X, b.Y, b.W, b.H, s[0], s[1])) << Describe(b);
            const bool fromTile = b.From == Blit::FromTile;
            EXPECT_TRUE(Inside(b.SX, b.SY, b.W, b.H, fromTile ? s[2] : s[0], fromTile ? s[3] : s[1]))
                << Describe(b);
        }
    }
    // The per-tile plan with one huge tile: a single copy.
    EXPECT_EQ(PlanTilesPerTile(INT_MAX, INT_MAX, INT_MAX, INT_MAX).size(), 1u);
    EXPECT_EQ(PlanTilesPerTile(INT_MAX, 1, INT_MAX - 1, 1).size(), 2u);
}

TEST(Tiling, FastMatchesPerTileForAllSmallSizes) {
    for (int W = 1; W <= 16; ++W)
        for (int H = 1; H <= 16; ++H)
            for (int bw = 1; bw <= 18; ++bw)
                for (int bh = 1; bh <= 18; ++bh) EXPECT_SAME_PICTURE(W, H, bw, bh);
}

TEST(Tiling, FastMatchesPerTileAcrossWiderRanges) {
    // Rows and columns are computed independently: sweep one direction fully against a few of the other.
    const int other[][2] = {{1, 1}, {7, 3}, {9, 9}, {10, 4}, {23, 45}, {31, 7}};
    for (int a = 1; a <= 40; ++a)
        for (int ba = 1; ba <= 45; ++ba)
            for (const auto& o : other) {
                EXPECT_SAME_PICTURE(a, o[0], ba, o[1]);
                EXPECT_SAME_PICTURE(o[0], a, o[1], ba);
            }
}

TEST(Tiling, FastMatchesPerTileForRandomLargerSizes) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> screen(1, 420), tileSize(1, 480), small(1, 12);
    for (int i = 0; i < 400; ++i) {
        const int W = screen(rng), H = screen(rng);
        const int bw = i % 4 == 0 ? small(rng) : tileSize(rng);
        const int bh = i % 4 == 1 ? small(rng) : tileSize(rng);
        EXPECT_SAME_PICTURE(W, H, bw, bh);
    }
}

TEST(Corner, BottomRightOfALargerImageShowsItsBottomRightPart) {
    EXPECT_EQ(PlanCorner(WallpaperPosition::BottomRight, 1024, 768, 2000, 1000),
              (Blit{Blit::FromTile, 0, 0, 1024, 768, 976, 232}));
}

TEST(Corner, SmallerImagesSitInTheirCorner) {
    EXPECT_EQ(PlanCorner(WallpaperPosition::BottomLeft, 1024, 768, 300, 200),
              (Blit{Blit::FromTile, 0, 568, 300, 200, 0, 0}));
    EXPECT_EQ(PlanCorner(WallpaperPosition::TopRight, 1024, 768, 300, 200),
              (Blit{Blit::FromTile, 724, 0, 300, 200, 0, 0}));
    EXPECT_EQ(PlanCorner(WallpaperPosition::BottomRight, 1024, 768, 300, 200),
              (Blit{Blit::FromTile, 724, 568, 300, 200, 0, 0}));
    EXPECT_EQ(PlanCorner(WallpaperPosition::BottomRight, 1024, 768, 1024, 768),
              (Blit{Blit::FromTile, 0, 0, 1024, 768, 0, 0}));
}

TEST(Corner, LargerImagesAreCutOnTheFarSides) {
    // Bottom-left, too wide: the left edge stays, the right part is cut.
    EXPECT_EQ(PlanCorner(WallpaperPosition::BottomLeft, 1024, 768, 2000, 200),
              (Blit{Blit::FromTile, 0, 568, 1024, 200, 0, 0}));
    // Bottom-left, too tall: the bottom edge stays, the top part is cut.
    EXPECT_EQ(PlanCorner(WallpaperPosition::BottomLeft, 1024, 768, 300, 1000),
              (Blit{Blit::FromTile, 0, 0, 300, 768, 0, 232}));
    // Top-right, too tall: the top edge stays.
    EXPECT_EQ(PlanCorner(WallpaperPosition::TopRight, 1024, 768, 300, 1000),
              (Blit{Blit::FromTile, 724, 0, 300, 768, 0, 0}));
    // Top-right, too wide: the right edge stays.
    EXPECT_EQ(PlanCorner(WallpaperPosition::TopRight, 1024, 768, 2000, 200),
              (Blit{Blit::FromTile, 0, 0, 1024, 200, 976, 0}));
}

TEST(Corner, EmptyImagesAndOtherCodesCopyNothing) {
    EXPECT_EQ(PlanCorner(WallpaperPosition::BottomRight, 1024, 768, 0, 0), Blit{});
    EXPECT_EQ(PlanCorner(WallpaperPosition::BottomLeft, 1024, 768, 0, 10), Blit{});
    EXPECT_EQ(PlanCorner(WallpaperPosition::Tile, 1024, 768, 10, 10), Blit{});
    EXPECT_EQ(PlanCorner(static_cast<WallpaperPosition>(7), 1024, 768, 10, 10), Blit{});
    EXPECT_EQ(PlanCorner(WallpaperPosition::BottomRight, 0, 768, 10, 10), Blit{});
    EXPECT_EQ(PlanCorner(WallpaperPosition::BottomRight, INT_MAX, INT_MAX, INT_MAX, 1),
              (Blit{Blit::FromTile, 0, INT_MAX - 1, INT_MAX, 1, 0, 0}));
    EXPECT_EQ(PlanCorner(WallpaperPosition::BottomRight, 1, 1, INT_MAX, INT_MAX),
              (Blit{Blit::FromTile, 0, 0, 1, 1, INT_MAX - 1, INT_MAX - 1}));
}

TEST(Corner, CopiesStayInsideTargetAndImage) {
    for (WallpaperPosition pos :
         {WallpaperPosition::BottomLeft, WallpaperPosition::TopRight, WallpaperPosition::BottomRight})
        for (int iw = 1; iw <= 12; ++iw)
            for (int ih = 1; ih <= 12; ++ih)
                for (int bw = 1; bw <= 15; ++bw)
                    for (int bh = 1; bh <= 15; ++bh) {
                        const Blit b = PlanCorner(pos, iw, ih, bw, bh);
                        ASSERT_TRUE(Inside(b.X, b.Y, b.W, b.H, iw, ih)) << Describe(b);
                        ASSERT_TRUE(Inside(b.SX, b.SY, b.W, b.H, bw, bh)) << Describe(b);
                        // The copy is as large as the visible part: the smaller of the two sizes.
                        ASSERT_EQ(b.W, std::min(iw, bw));
                        ASSERT_EQ(b.H, std::min(ih, bh));
                        // The anchored corner of the image lands on the anchored corner of the target.
                        const bool right = pos != WallpaperPosition::BottomLeft,
                                   bottom = pos != WallpaperPosition::TopRight;
                        ASSERT_EQ(right ? b.X + b.W : b.X, right ? iw : 0);
                        ASSERT_EQ(bottom ? b.Y + b.H : b.Y, bottom ? ih : 0);
                        ASSERT_EQ(right ? b.SX + b.W : b.SX, right ? bw : 0);
                        ASSERT_EQ(bottom ? b.SY + b.H : b.SY, bottom ? bh : 0);
                    }
}

TEST(Paste, APictureOfEveryMonitorIsCutToThePrimarysPartAnyOtherIsWrittenWhole) {
    const ScreenLayout two{{-640, 0, 800, 600}, {0, 0, 800, 600}, {{-640, 0, 0, 480}, {0, 0, 800, 600}}};
    EXPECT_EQ(PastedPart(two, 1440, 600), (ScreenRect{640, 0, 1440, 600}));
    EXPECT_EQ(PastedPart(two, 100, 100), (ScreenRect{0, 0, 100, 100}));
}
