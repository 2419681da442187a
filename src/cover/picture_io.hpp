// Pictures in and out of files, and the screen-sized bitmaps the faces compose.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "cover/tiling.hpp"
#include "ui/handles.hpp"

namespace obsc32 {

enum class PictureError { None, Load, Alloc };

// A BMP file as a bitmap in the screen's format; any broken, truncated or oversized file fails with Load.
ui::Bitmap LoadBmpFile(const std::string& path, PictureError& error);

// The general loader: BMP as above, other formats the system decodes itself (JPEG, GIF, PNG, ICO, WMF, EMF)
// by their extension.
ui::Bitmap LoadPictureFile(const std::string& path, PictureError& error);

// A bitmap of the screen's format, filled with black; empty when it cannot be made.
ui::Bitmap MakeScreenBitmap(int width, int height);

SIZE BitmapSize(HBITMAP bitmap);

// A copy of the screen, W x H from (0, 0).
ui::Bitmap GrabScreenBitmap(int width, int height);

// Puts a bitmap through the clipboard and back (what 8-bit screens need for their palette).
void ClipboardRoundTrip(ui::Bitmap& bitmap, HWND owner);

// Carries out a composition plan: copies from the tile, or from what the target already holds.
void RunPlan(HBITMAP target, HBITMAP tile, const std::vector<Blit>& plan);

// Writes a bitmap as a 24-bit BMP (an empty one as a black width x height picture), replacing the file.
bool SaveBitmapAsBmp(HBITMAP bitmap, const std::string& path, int emptyWidth, int emptyHeight);

}  // namespace obsc32
