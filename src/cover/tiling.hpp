// Where the wallpaper goes: the list of copies that compose the tiled or corner-anchored screen.
#pragma once
#include <vector>

namespace obsc32 {

// The seven places the wallpaper can take; their numbers are the position items' Tags and the stored "ICHI".
enum class WallpaperPosition {
    Center = 0,
    Tile = 1,
    Stretch = 2,
    TopLeft = 3,
    BottomLeft = 4,
    TopRight = 5,
    BottomRight = 6,
};

struct Blit {
    enum Source { FromTile, FromTarget };
    Source From = FromTile;
    int X = 0, Y = 0, W = 0, H = 0;  // destination rectangle in the W x H target
    int SX = 0, SY = 0;              // source position (in the tile, or in the target itself)
    bool operator==(const Blit&) const = default;
};

// The tiling rule one tile at a time: rows and columns computed so that one tile is centred, a tile at
// least as large as the screen in a direction drawn from that edge. Every blit is FromTile.
std::vector<Blit> PlanTilesPerTile(int screenW, int screenH, int tileW, int tileH);

// The same picture in few large copies: the first period from the tile (at most four copies), then
// doubling copies of what is already composed (FromTarget), across and then down.
std::vector<Blit> PlanTilesFast(int screenW, int screenH, int tileW, int tileH);

// Bottom-left, top-right, bottom-right: the anchored corner is kept and a picture larger than the target is
// cut on the far sides. One FromTile copy (W or H may be 0 for an empty image; nothing for other positions).
Blit PlanCorner(WallpaperPosition position, int targetW, int targetH, int imageW, int imageH);

}  // namespace obsc32
