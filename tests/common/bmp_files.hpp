// BMP files as tests and benchmarks write them, byte by byte, so that what the program reads is known.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_common {

using PixelFn = std::function<COLORREF(int x, int y)>;

// A bottom-up BMP with a 40-byte header. Up to 8 bits per pixel the pixel (x, y) is the entry
// index(x, y) of `table`; above, `colour(x, y)` at 24 bits. `offset` is written as bfOffBits (-1: where the
// pixels are).
std::vector<unsigned char> BmpBytes(int w, int h, int bpp, const std::vector<COLORREF>& table,
                                    const std::function<int(int, int)>& index, const PixelFn& colour,
                                    long long offset = -1);
// True when the file holds the bytes.
bool SaveBytes(const std::string& path, const std::vector<unsigned char>& bytes);
// A bottom-up 24-bit BMP whose pixel (x, y) is fn(x, y).
bool SaveBmp24(const std::string& path, int w, int h, const PixelFn& fn);

}  // namespace testing_common
