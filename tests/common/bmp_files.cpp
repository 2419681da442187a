#include "common/bmp_files.hpp"

#include <cstdint>
#include <cstdio>

#include "common/text.hpp"

namespace testing_common {

std::vector<unsigned char> BmpBytes(int w, int h, int bpp, const std::vector<COLORREF>& table,
                                    const std::function<int(int, int)>& index, const PixelFn& colour,
                                    long long offset) {
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

bool SaveBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    FILE* f = _wfopen(W(path).c_str(), L"wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

bool SaveBmp24(const std::string& path, int w, int h, const PixelFn& fn) {
    return SaveBytes(path, BmpBytes(w, h, 24, {}, nullptr, fn));
}

}  // namespace testing_common
