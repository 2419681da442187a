#include "cover/bmp_format.hpp"

#include <limits>

namespace obsc32 {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

// Byte by byte: the fields are unaligned and the file is little-endian whatever the host.
uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
int32_t ReadI32(const uint8_t* p) { return static_cast<int32_t>(ReadU32(p)); }

void WriteU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

bool KnownHeaderSize(uint32_t s) { return s == 12 || s == 40 || s == 52 || s == 56 || s == 108 || s == 124; }

uint64_t StrideOf(uint64_t width, uint64_t bitCount) { return (width * bitCount + 31) / 32 * 4; }

BmpError Check(const uint8_t* data, size_t size, BmpInfo& b, uint64_t maxPixels) {
    if (data == nullptr || size < 2 || data[0] != 'B' || data[1] != 'M') return BmpError::NotBmp;
    if (size < kFileHeaderSize + 4) return BmpError::Truncated;
    b.PixelOffset = ReadU32(data + 10);
    b.HeaderSize = ReadU32(data + kFileHeaderSize);
    if (!KnownHeaderSize(b.HeaderSize)) return BmpError::Unsupported;
    if (size < kFileHeaderSize + b.HeaderSize) return BmpError::Truncated;

    const uint8_t* h = data + kFileHeaderSize;
    const bool core = b.HeaderSize == kCoreHeaderSize;
    uint16_t planes;
    uint32_t colorsField = 0, sizeImage = 0;
    if (core) {
        b.Width = ReadU16(h + 4);
        b.Height = ReadU16(h + 6);  // unsigned: core bitmaps are always bottom-up
        planes = ReadU16(h + 8);
        b.BitCount = ReadU16(h + 10);
        b.Compression = 0;
    } else {
        b.Width = ReadI32(h + 4);
        b.Height = ReadI32(h + 8);
        planes = ReadU16(h + 12);
        b.BitCount = ReadU16(h + 14);
        b.Compression = ReadU32(h + 16);
        sizeImage = ReadU32(h + 20);
        colorsField = ReadU32(h + 32);
    }

    if (planes != 1) return BmpError::Unsupported;
    const uint16_t bpp = b.BitCount;
    if (core ? !(bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24)
             : !(bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32))
        return BmpError::Unsupported;
    const bool rle = b.Compression == 1 || b.Compression == 2;
    switch (b.Compression) {
        case 0: break;
        case 1:
            if (bpp != 8) return BmpError::Unsupported;
            break;
        case 2:
            if (bpp != 4) return BmpError::Unsupported;
            break;
        case 3:
            if (bpp != 16 && bpp != 32) return BmpError::Unsupported;
            break;
        default: return BmpError::Unsupported;  // JPEG, PNG, alpha bitfields and unknown codes
    }
    // INT32_MIN has no positive counterpart for AbsHeight().
    if (b.Width <= 0 || b.Height == 0 || b.Height == std::numeric_limits<int32_t>::min())
        return BmpError::Unsupported;
    if (rle && b.Height < 0) return BmpError::Unsupported;

    const uint64_t width = static_cast<uint32_t>(b.Width);
    const uint64_t rows = static_cast<uint32_t>(b.AbsHeight());
    if (width * rows > maxPixels) return BmpError::TooLarge;

    // Colour table: indexed images can address at most 2^bpp entries, so a larger count is a broken
    // header rather than a short file; above 8 bpp the optional table just has to fit.
    uint64_t entries;
    if (bpp <= 8) {
        const uint32_t full = 1u << bpp;
        if (colorsField > full) return BmpError::Unsupported;
        entries = colorsField == 0 ? full : colorsField;
    } else {
        entries = colorsField;
    }
    const uint64_t masks = (b.Compression == 3 && b.HeaderSize == kInfoHeaderSize) ? 12 : 0;
    const uint64_t tableOffset = kFileHeaderSize + b.HeaderSize;
    const uint64_t tableBytes = masks + entries * (core ? 3 : 4);
    const uint64_t tableEnd = tableOffset + tableBytes;
    if (tableEnd > size) return BmpError::Truncated;
    if (tableEnd > std::numeric_limits<uint32_t>::max()) return BmpError::TooLarge;
    b.ColorsUsed = static_cast<uint32_t>(entries);
    b.ColorTableOffset = static_cast<uint32_t>(tableOffset);
    b.ColorTableBytes = static_cast<uint32_t>(tableBytes);

    // An offset of 0, or one inside the headers or the table, is a writer's slip (one that forgot the
    // table is the reason for CorrectBmpPixelOffset): the system's loader reads the pixels right after the
    // table, and so does this one.
    if (b.PixelOffset < tableEnd) b.PixelOffset = static_cast<uint32_t>(tableEnd);
    if (b.PixelOffset > size) return BmpError::Truncated;

    uint64_t pixelBytes;
    if (rle) {
        pixelBytes = sizeImage != 0 ? sizeImage : size - b.PixelOffset;
        if (pixelBytes < 2) return BmpError::Truncated;  // not even an end-of-bitmap code
    } else {
        pixelBytes = StrideOf(width, bpp) * rows;  // below 2^64: stride < 2^33, rows < 2^31
    }
    if (pixelBytes > size - b.PixelOffset) return BmpError::Truncated;
    if (pixelBytes > std::numeric_limits<uint32_t>::max()) return BmpError::TooLarge;
    b.PixelBytes = static_cast<uint32_t>(pixelBytes);
    return BmpError::None;
}

}  // namespace

uint32_t BmpInfo::Stride() const {
    if (Width <= 0) return 0;
    // Exact for every accepted file: its pixel rows fit in the file.
    return static_cast<uint32_t>(StrideOf(static_cast<uint32_t>(Width), BitCount));
}

BmpError ParseBmp(const uint8_t* data, size_t size, BmpInfo& info, uint64_t maxPixels) {
    BmpInfo b;
    const BmpError e = Check(data, size, b, maxPixels);
    info = e == BmpError::None ? b : BmpInfo{};
    return e;
}

std::vector<uint8_t> GdiBitmapHeader(const uint8_t* data, const BmpInfo& info) {
    std::vector<uint8_t> out(kInfoHeaderSize, 0);
    const bool indexed = info.BitCount <= 8;
    WriteU32(&out[0], kInfoHeaderSize);
    WriteU32(&out[4], static_cast<uint32_t>(info.Width));
    WriteU32(&out[8], static_cast<uint32_t>(info.Height));
    out[12] = 1;  // planes
    out[14] = static_cast<uint8_t>(info.BitCount);
    WriteU32(&out[16], info.Compression);
    WriteU32(&out[20], info.PixelBytes);
    // Above 8 bits a table only suggests colours for a palette; the pixels do not use it.
    WriteU32(&out[32], indexed ? info.ColorsUsed : 0);
    // The masks follow a 40-byte header and open the larger ones: at file offset 54 either way.
    if (info.Compression == 3) out.insert(out.end(), data + 54, data + 66);
    if (!indexed) return out;
    const uint32_t entrySize = info.HeaderSize == kCoreHeaderSize ? 3 : 4;
    for (uint32_t i = 0; i < info.ColorsUsed; ++i) {
        const uint8_t* bgr = data + info.ColorTableOffset + i * entrySize;
        out.insert(out.end(), {bgr[0], bgr[1], bgr[2], 0});
    }
    return out;
}

bool CorrectBmpPixelOffset(std::vector<uint8_t>& stream) {
    if (stream.size() < kFileHeaderSize + kInfoHeaderSize) return false;
    const uint8_t* p = stream.data();
    const int64_t offBits = ReadU32(p + 10);
    const int64_t biSize = ReadU32(p + 14);
    const int64_t width = ReadI32(p + 14 + 4);
    const int64_t height = ReadI32(p + 14 + 8);
    const int64_t bitCount = ReadU16(p + 14 + 14);
    const int64_t clrUsed = ReadU32(p + 14 + 32);
    if (offBits != biSize + kFileHeaderSize || clrUsed <= 0) return false;

    const int64_t n = biSize + kFileHeaderSize + clrUsed * (biSize >= kInfoHeaderSize ? 4 : 3);  // < 2^35
    const int64_t s = static_cast<int64_t>(stream.size());
    // width * height fits (< 2^62); times bitCount may not, and then its sign alone settles the test.
    const int64_t pixels = width * height;
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max(), kMin = std::numeric_limits<int64_t>::min();
    bool enough;
    if (bitCount != 0 && (pixels > kMax / bitCount || pixels < kMin / bitCount)) {
        enough = pixels < 0;
    } else {
        const int64_t bytes = pixels * bitCount / 8;  // truncated toward zero, like div
        enough = s >= bytes + n;                      // |bytes| <= 2^60, n < 2^35
    }
    // An offset past 4 GiB cannot be written into the field; no real stream gets there.
    if (!enough || n > std::numeric_limits<uint32_t>::max()) return false;
    WriteU32(stream.data() + 10, static_cast<uint32_t>(n));
    return true;
}

}  // namespace obsc32
