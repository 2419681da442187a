// BMP files the face tests write, and the picture comparison they read back with.
#pragma once
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "wine/fixture.hpp"

namespace testing_wine {

using PixelFn = std::function<COLORREF(int x, int y)>;

inline void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

inline std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::vector<unsigned char> data;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
        std::fclose(f);
    }
    return data;
}

// A bottom-up BMP with a 40-byte header. Up to 8 bits per pixel the pixel (x, y) is the entry
// index(x, y) of `table`; above, `colour(x, y)` at 24 bits. `offset` is written as bfOffBits (-1: where the
// pixels are).
inline std::vector<unsigned char> BmpBytes(int w, int h, int bpp, const std::vector<COLORREF>& table,
                                           const std::function<int(int, int)>& index, const PixelFn& colour,
                                           long long offset = -1) {
    const int stride = (w * bpp + 31) / 32 * 4;
    const size_t pixelsAt = 54 + table.size() * 4;
    std::vector<unsigned char> file(pixelsAt + static_cast<size_t>(stride) * h);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, static_cast<uint32_t>(offset < 0 ? pixelsAt : offset));
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    file[26] = 1;
    file[28] = static_cast<unsigned char>(bpp);
    put32(46, static_cast<uint32_t>(table.size()));
    for (size_t i = 0; i < table.size(); ++i) {
        file[54 + i * 4] = GetBValue(table[i]);
        file[54 + i * 4 + 1] = GetGValue(table[i]);
        file[54 + i * 4 + 2] = GetRValue(table[i]);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char* row = file.data() + pixelsAt + static_cast<size_t>(h - 1 - y) * stride;
            if (bpp == 24) {
                COLORREF c = colour(x, y);
                row[x * 3] = GetBValue(c);
                row[x * 3 + 1] = GetGValue(c);
                row[x * 3 + 2] = GetRValue(c);
            } else if (bpp == 8) {
                row[x] = static_cast<unsigned char>(index(x, y));
            } else {  // 4 bits: the high nibble is the left pixel
                row[x / 2] |= static_cast<unsigned char>(index(x, y) << (x % 2 ? 0 : 4));
            }
        }
    return file;
}

// A bottom-up 24-bit BMP whose pixel (x, y) is fn(x, y).
inline void WriteBmp24(const std::string& path, int w, int h, const PixelFn& fn) {
    WriteBytes(path, BmpBytes(w, h, 24, {}, nullptr, fn));
}

// A picture whose every pixel tells where it came from.
inline COLORREF Coded(int x, int y) {
    return RGB(x & 255, y & 255, ((x >> 8) & 15) | (((y >> 8) & 15) << 4));
}

inline int Mod(int a, int m) { return ((a % m) + m) % m; }

// Compares every pixel of a bitmap with the expectation; reports the first few misses.
inline ::testing::AssertionResult PictureIs(HBITMAP bmp, int w, int h, const PixelFn& expect) {
    int bw, bh;
    std::vector<COLORREF> px = BitmapPixels(bmp, bw, bh);
    if (bw != w || bh != h)
        return ::testing::AssertionFailure() << "size " << bw << "x" << bh << ", expected " << w << "x" << h;
    int misses = 0;
    std::string first;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (px[static_cast<size_t>(y) * w + x] != expect(x, y) && misses++ < 3)
                first += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
    if (misses) return ::testing::AssertionFailure() << misses << " pixels differ, first at" << first;
    return ::testing::AssertionSuccess();
}

}  // namespace testing_wine
