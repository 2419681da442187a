// The screen as shown, read through GetDC(NULL), and the pixels of bitmaps.
#pragma once
#include <windows.h>

#include <vector>

namespace testing_common {

COLORREF ScreenPixel(int x, int y);
// The pixels at the points, read through one screen DC: quick enough for a benchmark's polling.
std::vector<COLORREF> ScreenPixelsAt(const std::vector<POINT>& points);
// Every pixel of a screen rectangle, top row first; empty if it cannot be read.
std::vector<COLORREF> ScreenPixels(const RECT& r);
// Every pixel of a bitmap, top row first; its size in w and h.
std::vector<COLORREF> BitmapPixels(HBITMAP bitmap, int& w, int& h);
// Whether a pixel of the screen rectangle is dark (a black face, a menu's check mark).
bool AnyDarkPixel(const RECT& r);

}  // namespace testing_common
