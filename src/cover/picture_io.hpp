// Pictures in and out of files, and the screen-sized bitmaps the faces compose.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "cover/monitor_plan.hpp"
#include "cover/screen_choice.hpp"
#include "cover/tiling.hpp"
#include "ui/handles.hpp"

namespace obsc32 {

using Palette = ui::UniqueHandle<HPALETTE, ui::GdiTraits>;

// A bitmap and, for one of 256 colours or fewer, the palette of its colours.
struct Picture {
    ui::Bitmap Bitmap;
    Palette Colors;
};

// A BMP file as a bitmap in the screen's format, with its colour table as palette at 8 bits per pixel or
// fewer; an empty bitmap for a missing, broken, truncated or oversized file.
Picture LoadBmpFile(const std::string& path);

// The general loader: BMP as above, other formats the system decodes itself (JPEG, GIF, PNG, ICO, WMF, EMF)
// by their extension; empty when the file cannot be read.
ui::Bitmap LoadPictureFile(const std::string& path);

// A bitmap of the screen's format, filled with black; empty when it cannot be made.
ui::Bitmap MakeScreenBitmap(int width, int height);

// The monitors as the system lists them, with their device identities, in real pixels.
std::vector<MonitorInfo> ReadMonitors();
// What the cover covers, every monitor, the primary one or the chosen ones, and the monitors in it, in real
// pixels whatever the calling thread's DPI awareness.
ScreenLayout ReadScreenLayout(const ScreenChoice& choice);

// A copy of the screen, W x H real pixels from (left, top).
ui::Bitmap GrabScreenBitmap(int width, int height, int left = 0, int top = 0);

// Puts a bitmap through the clipboard and back (what 8-bit screens need for their palette).
void ClipboardRoundTrip(ui::Bitmap& bitmap, HWND owner);

// Carries out a composition plan: copies from the tile, or from what the target already holds. A palette is
// selected into the target's DC for the copies, and becomes the colour table of a target that has one.
void RunPlan(HBITMAP target, HBITMAP tile, const std::vector<Blit>& plan, HPALETTE palette = nullptr);

// Draws the whole picture stretched into each rectangle of the target.
void StretchInto(HBITMAP target, HBITMAP picture, const std::vector<ScreenRect>& rects);

// The rectangle `part` of a bitmap, as a bitmap of the screen's format; empty when it cannot be made.
ui::Bitmap CopyPart(HBITMAP bitmap, const ScreenRect& part);

// Writes a bitmap as a 24-bit BMP (an empty one as a black width x height picture), replacing the file;
// false when it could not.
bool SaveBitmapAsBmp(HBITMAP bitmap, const std::string& path, int emptyWidth, int emptyHeight);

}  // namespace obsc32
