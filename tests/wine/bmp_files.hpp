// BMP files the face tests write, and the picture comparison they read back with.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/bmp_files.hpp"
#include "wine/fixture.hpp"

namespace testing_wine {

using testing_common::BmpBytes;
using testing_common::PixelFn;

inline void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    ASSERT_TRUE(testing_common::SaveBytes(path, bytes)) << path;
}

inline std::vector<unsigned char> ReadBytes(const std::string& path) {
    const std::string bytes = testing_common::FileBytes(path);
    return bytes == "<none>" ? std::vector<unsigned char>()
                             : std::vector<unsigned char>(bytes.begin(), bytes.end());
}

// A bottom-up 24-bit BMP whose pixel (x, y) is fn(x, y).
inline void WriteBmp24(const std::string& path, int w, int h, const PixelFn& fn) {
    ASSERT_TRUE(testing_common::SaveBmp24(path, w, h, fn)) << path;
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
