// BMP files read and written in memory: header checks that make a broken file fail cleanly, and the
// writer-side correction of a header that puts the pixels where the colour table is.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace obsc32 {

struct BmpInfo {
    uint32_t PixelOffset = 0;  // bfOffBits; right after the colour table when bfOffBits points before its end
    uint32_t HeaderSize = 0;   // biSize (12 for the OS/2 core header, 40 and up otherwise)
    int32_t Width = 0;
    int32_t Height = 0;        // negative: top-down rows
    uint16_t BitCount = 0;     // 1, 4, 8, 16, 24, 32
    uint32_t Compression = 0;  // 0 RGB, 1 RLE8, 2 RLE4, 3 BITFIELDS
    uint32_t ColorsUsed = 0;   // entries in the colour table as stored
    uint32_t ColorTableOffset = 0;
    uint32_t ColorTableBytes = 0;  // including the three BITFIELDS masks of a 40-byte header
    uint32_t PixelBytes = 0;       // the bytes of pixel data the file must hold from PixelOffset
    uint32_t Stride() const;       // bytes per row, DWORD aligned
    int32_t AbsHeight() const { return Height < 0 ? -Height : Height; }
};

enum class BmpError { None, NotBmp, Truncated, Unsupported, TooLarge };

// Checks a whole file in memory. `maxPixels` bounds Width x |Height| (memory the loader would allocate).
BmpError ParseBmp(const uint8_t* data, size_t size, BmpInfo& info, uint64_t maxPixels = 64ull * 1024 * 1024);

// What GDI is given to draw the pixels of a file ParseBmp accepted: a plain 40-byte BITMAPINFOHEADER built
// from `info` (biSizeImage the pixel bytes, which compressed pixels need), the three masks of a BI_BITFIELDS
// file wherever its header kept them, and up to 8 bits per pixel the colour table in 4-byte entries. Nothing
// else of a V4 or V5 header goes on: its colour space and profile offsets would point outside this buffer.
std::vector<uint8_t> GdiBitmapHeader(const uint8_t* data, const BmpInfo& info);

// In a BMP stream whose bfOffBits equals biSize + 14 while biClrUsed > 0, moves bfOffBits past the
// colour table (4 bytes an entry from a 40-byte header on, else 3), when the stream is long enough for
// that. Returns whether it changed the stream. Streams shorter than the two headers are left alone.
bool CorrectBmpPixelOffset(std::vector<uint8_t>& stream);

}  // namespace obsc32
