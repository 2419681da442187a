#include "cover/bmp_format.hpp"

#include <climits>
#include <memory>
#include <random>

#include <gtest/gtest.h>

using namespace obsc32;

namespace {

// What to put in a test file. Defaults: a 5 x 3, 24 bpp bottom-up file with a 40-byte header.
struct Recipe {
    uint32_t HeaderSize = 40;
    int32_t Width = 5;
    int32_t Height = 3;
    uint16_t Planes = 1;
    uint16_t BitCount = 24;
    uint32_t Compression = 0;
    uint32_t ColorsUsed = 0;   // the header field
    int TableEntries = -1;     // entries written; -1: as many as the header implies
    std::vector<uint8_t> Rle;  // the compressed rows, for RLE
    bool SizeImage = true;     // fill biSizeImage (else 0)
    uint32_t Gap = 0;          // bytes between the colour table and the pixels
    uint32_t Trailing = 0;     // bytes after the pixels
};

void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}
void Set32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}
void Set16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = static_cast<uint8_t>(x);
    v[at + 1] = static_cast<uint8_t>(x >> 8);
}
uint32_t Get32(const std::vector<uint8_t>& v, size_t at) {
    return v[at] | v[at + 1] << 8 | v[at + 2] << 16 | static_cast<uint32_t>(v[at + 3]) << 24;
}

uint64_t RowBytes(int32_t width, uint16_t bpp) { return (static_cast<uint64_t>(width) * bpp + 31) / 32 * 4; }

struct Built {
    std::vector<uint8_t> Bytes;
    uint32_t PixelOffset = 0;
    uint32_t TableBytes = 0;
    uint32_t Entries = 0;
    uint32_t PixelBytes = 0;
};

Built Build(const Recipe& r) {
    const bool core = r.HeaderSize == 12;
    const bool masks = r.Compression == 3 && r.HeaderSize == 40;
    uint32_t entries = r.TableEntries >= 0 ? static_cast<uint32_t>(r.TableEntries)
                       : r.BitCount <= 8   ? (r.ColorsUsed ? r.ColorsUsed : 1u << r.BitCount)
                                           : r.ColorsUsed;
    const uint32_t table = (masks ? 12 : 0) + entries * (core ? 3 : 4);
    const bool rle = r.Compression == 1 || r.Compression == 2;
    const uint32_t rows = static_cast<uint32_t>(r.Height < 0 ? -static_cast<int64_t>(r.Height) : r.Height);
    const uint32_t pixels = rle ? static_cast<uint32_t>(r.Rle.size())
                                : static_cast<uint32_t>(RowBytes(r.Width, r.BitCount) * rows);

    Built b;
    b.PixelOffset = 14 + r.HeaderSize + table + r.Gap;
    b.TableBytes = table;
    b.Entries = entries;
    b.PixelBytes = pixels;
    std::vector<uint8_t>& v = b.Bytes;
    v.push_back('B');
    v.push_back('M');
    Put32(v, b.PixelOffset + pixels + r.Trailing);
    Put32(v, 0);
    Put32(v, b.PixelOffset);
    Put32(v, r.HeaderSize);
    if (core) {
        Put16(v, static_cast<uint32_t>(r.Width));
        Put16(v, static_cast<uint32_t>(r.Height));
        Put16(v, r.Planes);
        Put16(v, r.BitCount);
    } else {
        Put32(v, static_cast<uint32_t>(r.Width));
        Put32(v, static_cast<uint32_t>(r.Height));
        Put16(v, r.Planes);
        Put16(v, r.BitCount);
        Put32(v, r.Compression);
        Put32(v, r.SizeImage ? pixels : 0);
        Put32(v, 2835);
        Put32(v, 2835);
        Put32(v, r.ColorsUsed);
        Put32(v, 0);
        const uint32_t rgbMasks[3] = {r.BitCount == 16 ? 0x7C00u : 0xFF0000u,
                                      r.BitCount == 16 ? 0x03E0u : 0xFF00u,
                                      r.BitCount == 16 ? 0x001Fu : 0xFFu};
        for (uint32_t i = 40; i < r.HeaderSize; i += 4)
            Put32(v, i < 52 && r.Compression == 3 ? rgbMasks[(i - 40) / 4] : 0);
        if (masks)
            for (uint32_t m : rgbMasks) Put32(v, m);
    }
    for (uint32_t i = 0; i < entries; ++i) {
        v.push_back(static_cast<uint8_t>(i * 7));
        v.push_back(static_cast<uint8_t>(i * 13));
        v.push_back(static_cast<uint8_t>(i * 29));
        if (!core) v.push_back(0);
    }
    v.insert(v.end(), r.Gap, 0xEE);
    if (rle)
        v.insert(v.end(), r.Rle.begin(), r.Rle.end());
    else
        for (uint32_t i = 0; i < pixels; ++i) v.push_back(static_cast<uint8_t>(i * 31 + 5));
    v.insert(v.end(), r.Trailing, 0xAB);
    return b;
}

// Three rows of five pixels: one run each, end of line, then end of bitmap.
std::vector<uint8_t> Rle8Rows() { return {5, 1, 0, 0, 5, 2, 0, 0, 5, 3, 0, 0, 0, 1}; }
std::vector<uint8_t> Rle4Rows() {
    return {5, 0x12, 0, 0, 5, 0x34, 0, 0, 3, 0x56, 0, 3, 0x78, 0x9A, 0, 0, 0, 0, 1};
}

Recipe Indexed(uint16_t bpp) {
    Recipe r;
    r.BitCount = bpp;
    return r;
}
Recipe RleRecipe(uint32_t compression) {
    Recipe r;
    r.Compression = compression;
    r.BitCount = compression == 1 ? 8 : 4;
    r.Rle = compression == 1 ? Rle8Rows() : Rle4Rows();
    return r;
}
Recipe Core(uint16_t bpp) {
    Recipe r;
    r.HeaderSize = 12;
    r.BitCount = bpp;
    return r;
}

BmpError Parse(const std::vector<uint8_t>& v, BmpInfo& info, uint64_t maxPixels = 64ull * 1024 * 1024) {
    // An exact-size copy: any read past the end is an ASan error.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[v.size() ? v.size() : 1]);
    std::copy(v.begin(), v.end(), copy.get());
    return ParseBmp(v.empty() ? nullptr : copy.get(), v.size(), info, maxPixels);
}
BmpError Parse(const std::vector<uint8_t>& v) {
    BmpInfo info;
    return Parse(v, info);
}

// The promises an accepted file keeps; reading every byte they name checks them under ASan too.
::testing::AssertionResult Consistent(const uint8_t* data, size_t size, const BmpInfo& i,
                                      uint64_t maxPixels) {
    auto fail = [] { return ::testing::AssertionFailure(); };
    if (i.Width <= 0 || i.Height == 0 || i.Height == INT32_MIN)
        return fail() << "dimensions " << i.Width << "x" << i.Height;
    if (static_cast<uint64_t>(i.Width) * static_cast<uint64_t>(i.AbsHeight()) > maxPixels)
        return fail() << "too many pixels";
    const uint16_t b = i.BitCount;
    if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32) return fail() << "bit count " << b;
    if (i.ColorTableOffset != 14 + static_cast<uint64_t>(i.HeaderSize)) return fail() << "table offset";
    if (static_cast<uint64_t>(i.ColorTableOffset) + i.ColorTableBytes > i.PixelOffset)
        return fail() << "table past pixels";
    if (static_cast<uint64_t>(i.PixelOffset) + i.PixelBytes > size) return fail() << "pixels past the end";
    if (b <= 8 && i.ColorsUsed > (1u << b)) return fail() << "colours " << i.ColorsUsed;
    const uint64_t stride = RowBytes(i.Width, b);
    if (i.Stride() != stride) return fail() << "stride " << i.Stride();
    switch (i.Compression) {
        case 0:
        case 3:
            if (i.Compression == 3 && b != 16 && b != 32) return fail() << "bitfields at " << b;
            if (i.PixelBytes != stride * static_cast<uint64_t>(i.AbsHeight())) return fail() << "pixel bytes";
            break;
        case 1:
        case 2:
            if (b != (i.Compression == 1 ? 8 : 4) || i.Height < 0 || i.PixelBytes < 2) return fail() << "rle";
            break;
        default: return fail() << "compression " << i.Compression;
    }
    volatile unsigned sum = 0;
    for (uint64_t k = 0; k < static_cast<uint64_t>(i.ColorTableOffset) + i.ColorTableBytes; ++k)
        sum = sum + data[k];
    for (uint64_t k = 0; k < i.PixelBytes; ++k) sum = sum + data[i.PixelOffset + k];
    return ::testing::AssertionSuccess();
}

// The correction rule with exact 128-bit arithmetic, to check the 64-bit implementation against.
bool ShouldCorrect(const std::vector<uint8_t>& s, uint32_t& n) {
    if (s.size() < 54) return false;
    const __int128 off = Get32(s, 10), biSize = Get32(s, 14), clr = Get32(s, 46);
    const __int128 w = static_cast<int32_t>(Get32(s, 18)), h = static_cast<int32_t>(Get32(s, 22));
    const __int128 bpp = s[28] | s[29] << 8;
    if (off != biSize + 14 || clr <= 0) return false;
    const __int128 big = biSize + 14 + clr * (biSize >= 40 ? 4 : 3);
    if (static_cast<__int128>(s.size()) < w * h * bpp / 8 + big) return false;
    if (big > UINT32_MAX) return false;
    n = static_cast<uint32_t>(big);
    return true;
}

}  // namespace

TEST(BmpParse, AcceptsEveryBitCount) {
    for (uint16_t bpp : {1, 4, 8, 16, 24, 32}) {
        const Built b = Build(Indexed(bpp));
        BmpInfo info;
        ASSERT_EQ(Parse(b.Bytes, info), BmpError::None) << bpp;
        EXPECT_EQ(info.PixelOffset, b.PixelOffset);
        EXPECT_EQ(info.HeaderSize, 40u);
        EXPECT_EQ(info.Width, 5);
        EXPECT_EQ(info.Height, 3);
        EXPECT_EQ(info.BitCount, bpp);
        EXPECT_EQ(info.Compression, 0u);
        EXPECT_EQ(info.ColorsUsed, bpp <= 8 ? 1u << bpp : 0u);
        EXPECT_EQ(info.ColorTableOffset, 54u);
        EXPECT_EQ(info.ColorTableBytes, b.TableBytes);
        EXPECT_EQ(info.PixelBytes, b.PixelBytes);
        EXPECT_EQ(info.PixelOffset + info.PixelBytes, b.Bytes.size());
    }
}

TEST(BmpParse, RowsAreDwordAligned) {
    const struct {
        uint16_t Bpp;
        int32_t Width;
        uint32_t Stride;
    } rows[] = {{1, 5, 4}, {1, 32, 4},  {1, 33, 8},  {4, 5, 4},   {4, 9, 8},
                {8, 5, 8}, {16, 5, 12}, {24, 5, 16}, {24, 4, 12}, {32, 5, 20}};
    for (const auto& row : rows) {
        Recipe r = Indexed(row.Bpp);
        r.Width = row.Width;
        BmpInfo info;
        ASSERT_EQ(Parse(Build(r).Bytes, info), BmpError::None);
        EXPECT_EQ(info.Stride(), row.Stride) << row.Bpp << " bpp, " << row.Width << " wide";
        EXPECT_EQ(info.PixelBytes, row.Stride * 3);
    }
    EXPECT_EQ(BmpInfo{}.Stride(), 0u);
}

TEST(BmpParse, AcceptsTopDownRows) {
    Recipe r;
    r.Height = -3;
    BmpInfo info;
    ASSERT_EQ(Parse(Build(r).Bytes, info), BmpError::None);
    EXPECT_EQ(info.Height, -3);
    EXPECT_EQ(info.AbsHeight(), 3);
    EXPECT_EQ(info.PixelBytes, 48u);
}

TEST(BmpParse, AcceptsBitfields) {
    for (uint32_t header : {40u, 52u, 56u, 108u, 124u})
        for (uint16_t bpp : {16, 32}) {
            Recipe r = Indexed(bpp);
            r.HeaderSize = header;
            r.Compression = 3;
            const Built b = Build(r);
            BmpInfo info;
            ASSERT_EQ(Parse(b.Bytes, info), BmpError::None) << header << " " << bpp;
            // Only a 40-byte header is followed by the three masks.
            EXPECT_EQ(info.ColorTableBytes, header == 40 ? 12u : 0u);
            EXPECT_EQ(info.PixelOffset, 14 + header + info.ColorTableBytes);
        }
}

TEST(BmpParse, AcceptsLaterHeadersAndOptionalTables) {
    for (uint32_t header : {52u, 56u, 108u, 124u}) {
        Recipe r = Indexed(8);
        r.HeaderSize = header;
        BmpInfo info;
        ASSERT_EQ(Parse(Build(r).Bytes, info), BmpError::None) << header;
        EXPECT_EQ(info.ColorTableOffset, 14 + header);
        EXPECT_EQ(info.ColorTableBytes, 1024u);
    }
    // A short palette, a palette on a true-colour image, a gap before the pixels, bytes after them.
    Recipe shortTable = Indexed(8);
    shortTable.ColorsUsed = 16;
    BmpInfo info;
    ASSERT_EQ(Parse(Build(shortTable).Bytes, info), BmpError::None);
    EXPECT_EQ(info.ColorsUsed, 16u);
    EXPECT_EQ(info.ColorTableBytes, 64u);
    Recipe hinted;
    hinted.ColorsUsed = 3;
    hinted.Gap = 5;
    hinted.Trailing = 100;
    ASSERT_EQ(Parse(Build(hinted).Bytes, info), BmpError::None);
    EXPECT_EQ(info.ColorsUsed, 3u);
    EXPECT_EQ(info.ColorTableBytes, 12u);
    EXPECT_EQ(info.PixelOffset, 54u + 12 + 5);
    EXPECT_EQ(info.PixelBytes, 48u);
}

TEST(BmpParse, AcceptsRle) {
    for (uint32_t compression : {1u, 2u})
        for (bool sizeImage : {true, false}) {
            Recipe r = RleRecipe(compression);
            r.SizeImage = sizeImage;
            r.Trailing = sizeImage ? 7 : 0;
            const Built b = Build(r);
            BmpInfo info;
            ASSERT_EQ(Parse(b.Bytes, info), BmpError::None) << compression << sizeImage;
            EXPECT_EQ(info.Compression, compression);
            EXPECT_EQ(info.PixelBytes, r.Rle.size());
            EXPECT_EQ(info.PixelOffset, b.PixelOffset);
        }
}

TEST(BmpParse, AcceptsCoreHeaders) {
    for (uint16_t bpp : {1, 4, 8, 24}) {
        const Built b = Build(Core(bpp));
        BmpInfo info;
        ASSERT_EQ(Parse(b.Bytes, info), BmpError::None) << bpp;
        EXPECT_EQ(info.HeaderSize, 12u);
        EXPECT_EQ(info.Width, 5);
        EXPECT_EQ(info.Height, 3);
        EXPECT_EQ(info.ColorTableOffset, 26u);
        EXPECT_EQ(info.ColorsUsed, bpp <= 8 ? 1u << bpp : 0u);
        EXPECT_EQ(info.ColorTableBytes, bpp <= 8 ? 3u << bpp : 0u);
        EXPECT_EQ(info.PixelOffset, b.PixelOffset);
    }
    // Core sizes are unsigned 16-bit: 0xFFFF rows is a tall bottom-up image, not a top-down one.
    Recipe tall = Core(1);
    tall.Width = 1;
    tall.Height = 0xFFFF;
    BmpInfo info;
    ASSERT_EQ(Parse(Build(tall).Bytes, info), BmpError::None);
    EXPECT_EQ(info.Height, 0xFFFF);
    EXPECT_EQ(Parse(Build(Core(16)).Bytes), BmpError::Unsupported);
    EXPECT_EQ(Parse(Build(Core(32)).Bytes), BmpError::Unsupported);
}

TEST(BmpParse, EveryCutOfAValidFileIsRejected) {
    std::vector<Recipe> recipes;
    for (uint16_t bpp : {1, 4, 8, 16, 24, 32}) recipes.push_back(Indexed(bpp));
    for (uint16_t bpp : {1, 8, 24}) recipes.push_back(Core(bpp));
    Recipe bitfields = Indexed(16);
    bitfields.Compression = 3;
    recipes.push_back(bitfields);
    recipes.push_back(RleRecipe(1));
    recipes.push_back(RleRecipe(2));
    for (const Recipe& r : recipes) {
        const std::vector<uint8_t> whole = Build(r).Bytes;
        ASSERT_EQ(Parse(whole), BmpError::None);
        for (size_t n = 0; n < whole.size(); ++n) {
            const std::vector<uint8_t> cut(whole.begin(), whole.begin() + n);
            EXPECT_EQ(Parse(cut), n < 2 ? BmpError::NotBmp : BmpError::Truncated)
                << r.BitCount << " bpp cut at " << n;
        }
    }
}

TEST(BmpParse, RleWithoutSizeReadsToTheEnd) {
    // Without biSizeImage the stream is the rest of the file: a cut inside it still parses, with fewer
    // bytes, but a cut leaving less than one code does not.
    Recipe r = RleRecipe(1);
    r.SizeImage = false;
    const Built b = Build(r);
    for (size_t n = 0; n < b.Bytes.size(); ++n) {
        const std::vector<uint8_t> cut(b.Bytes.begin(), b.Bytes.begin() + n);
        BmpInfo info;
        const BmpError e = Parse(cut, info);
        if (n >= b.PixelOffset + 2) {
            ASSERT_EQ(e, BmpError::None) << n;
            EXPECT_EQ(info.PixelBytes, n - b.PixelOffset);
        } else {
            EXPECT_NE(e, BmpError::None) << n;
        }
    }
    // A stated size larger than what follows.
    Recipe big = RleRecipe(2);
    std::vector<uint8_t> v = Build(big).Bytes;
    Set32(v, 34, static_cast<uint32_t>(big.Rle.size() + 1));
    EXPECT_EQ(Parse(v), BmpError::Truncated);
    Set32(v, 34, 0xFFFFFFFF);
    EXPECT_EQ(Parse(v), BmpError::Truncated);
}

TEST(BmpParse, RejectsWhatIsNotABmp) {
    EXPECT_EQ(Parse({}), BmpError::NotBmp);
    EXPECT_EQ(Parse({'B'}), BmpError::NotBmp);
    EXPECT_EQ(Parse({'M', 'B', 0, 0}), BmpError::NotBmp);
    EXPECT_EQ(Parse({'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), BmpError::NotBmp);
    std::vector<uint8_t> v = Build(Recipe{}).Bytes;
    v[0] = 'b';
    EXPECT_EQ(Parse(v), BmpError::NotBmp);
    BmpInfo info;
    EXPECT_EQ(ParseBmp(nullptr, 100, info), BmpError::NotBmp);
    EXPECT_EQ(info.Width, 0);
}

TEST(BmpParse, RejectsEmptyAndNegativeSizes) {
    const struct {
        int32_t W, H;
    } sizes[] = {{0, 0}, {0, 3}, {5, 0}, {-5, 3}, {INT32_MIN, 3}, {5, INT32_MIN}};
    for (const auto& s : sizes) {
        std::vector<uint8_t> v = Build(Recipe{}).Bytes;
        Set32(v, 18, static_cast<uint32_t>(s.W));
        Set32(v, 22, static_cast<uint32_t>(s.H));
        BmpInfo info;
        info.Width = 77;
        EXPECT_EQ(Parse(v, info), BmpError::Unsupported) << s.W << "x" << s.H;
        EXPECT_EQ(info.Width, 0);  // nothing half-filled on failure
    }
    std::vector<uint8_t> core = Build(Core(24)).Bytes;
    Set16(core, 18, 0);
    EXPECT_EQ(Parse(core), BmpError::Unsupported);
}

TEST(BmpParse, RejectsHugeClaimsInTinyFiles) {
    std::vector<uint8_t> v = Build(Recipe{}).Bytes;
    Set32(v, 18, 100000);
    Set32(v, 22, 100000);
    EXPECT_EQ(Parse(v), BmpError::TooLarge);
    Set32(v, 22, static_cast<uint32_t>(-100000));
    EXPECT_EQ(Parse(v), BmpError::TooLarge);
    // Within the pixel limit but not in the file.
    Set32(v, 18, 8000);
    Set32(v, 22, 8000);
    EXPECT_EQ(Parse(v), BmpError::Truncated);
    // With no pixel limit at all, the largest claims still only say the file is short.
    Set32(v, 18, INT32_MAX);
    Set32(v, 22, static_cast<uint32_t>(-INT32_MAX));
    Set16(v, 28, 32);
    BmpInfo info;
    EXPECT_EQ(Parse(v, info, UINT64_MAX), BmpError::Truncated);
    // The limit counts pixels: 5 x 3 = 15.
    EXPECT_EQ(Parse(Build(Recipe{}).Bytes, info, 14), BmpError::TooLarge);
    EXPECT_EQ(Parse(Build(Recipe{}).Bytes, info, 15), BmpError::None);
}

TEST(BmpParse, ColourCounts) {
    // More colours than the file holds.
    Recipe trueColour;
    std::vector<uint8_t> v = Build(trueColour).Bytes;
    for (uint32_t n : {100u, 0x40000000u, 0xFFFFFFFFu}) {
        Set32(v, 46, n);
        EXPECT_EQ(Parse(v), BmpError::Truncated) << n;
    }
    Recipe withTable = Indexed(8);
    withTable.ColorsUsed = 16;
    v = Build(withTable).Bytes;
    Set32(v, 46, 200);  // 800 bytes of table declared, 88 bytes follow the header
    EXPECT_EQ(Parse(v), BmpError::Truncated);
    // More entries than the bit count can index.
    for (uint16_t bpp : {1, 4, 8}) {
        Recipe r = Indexed(bpp);
        r.ColorsUsed = (1u << bpp) + 1;
        EXPECT_EQ(Parse(Build(r).Bytes), BmpError::Unsupported) << bpp;
        v = Build(Indexed(bpp)).Bytes;
        Set32(v, 46, 0xFFFFFFFF);
        EXPECT_EQ(Parse(v), BmpError::Unsupported) << bpp;
    }
    // The masks of a 40-byte BITFIELDS header must be there.
    std::vector<uint8_t> noMasks = Build(Indexed(32)).Bytes;
    Set32(noMasks, 30, 3);
    noMasks.resize(60);
    EXPECT_EQ(Parse(noMasks), BmpError::Truncated);
}

TEST(BmpParse, RejectsTopDownRle) {
    for (uint32_t compression : {1u, 2u}) {
        std::vector<uint8_t> v = Build(RleRecipe(compression)).Bytes;
        Set32(v, 22, static_cast<uint32_t>(-3));
        EXPECT_EQ(Parse(v), BmpError::Unsupported) << compression;
    }
    Recipe bf = Indexed(16);
    bf.Compression = 3;
    bf.Height = -3;
    EXPECT_EQ(Parse(Build(bf).Bytes), BmpError::None);
}

TEST(BmpParse, RejectsUnknownFieldValues) {
    for (uint16_t planes : {0, 2, 0xFFFF}) {
        Recipe r;
        r.Planes = planes;
        EXPECT_EQ(Parse(Build(r).Bytes), BmpError::Unsupported) << planes;
        Recipe c = Core(8);
        c.Planes = planes;
        EXPECT_EQ(Parse(Build(c).Bytes), BmpError::Unsupported) << planes;
    }
    for (uint16_t bpp : {0, 2, 3, 15, 48, 64}) {
        std::vector<uint8_t> v = Build(Recipe{}).Bytes;
        Set16(v, 28, bpp);
        EXPECT_EQ(Parse(v), BmpError::Unsupported) << bpp;
    }
    const struct {
        uint16_t Bpp;
        uint32_t Compression;
    } combos[] = {{4, 1}, {24, 1}, {8, 2},  {1, 2},  {24, 3},
                  {8, 3}, {24, 4}, {24, 5}, {32, 6}, {24, 0xFFFFFFFF}};
    for (const auto& c : combos) {
        std::vector<uint8_t> v = Build(Indexed(c.Bpp)).Bytes;
        Set32(v, 30, c.Compression);
        EXPECT_EQ(Parse(v), BmpError::Unsupported) << c.Bpp << " bpp, compression " << c.Compression;
    }
    for (uint32_t header : {0u, 4u, 16u, 39u, 41u, 64u, 125u, 0xFFFFFFFFu}) {
        std::vector<uint8_t> v = Build(Recipe{}).Bytes;
        Set32(v, 14, header);
        EXPECT_EQ(Parse(v), BmpError::Unsupported) << header;
    }
    // A known header size longer than the file.
    std::vector<uint8_t> v = Build(Recipe{}).Bytes;
    Set32(v, 14, 124);
    v.resize(100);
    EXPECT_EQ(Parse(v), BmpError::Truncated);
}

TEST(BmpParse, AnOffsetBeforeTheTableEndMeansPixelsRightAfterTheTable) {
    // 0, inside the file header, inside the info header, at the table, inside it: the pixels follow the
    // table, as the system's own loader reads such files.
    for (const Recipe& r : {Indexed(8), Indexed(4), Core(8), Indexed(24)}) {
        const Built b = Build(r);
        for (uint32_t offset : {0u, 10u, 20u, 14 + r.HeaderSize, b.PixelOffset - 1}) {
            if (offset > b.PixelOffset) continue;
            std::vector<uint8_t> v = b.Bytes;
            Set32(v, 10, offset);
            BmpInfo info;
            ASSERT_EQ(Parse(v, info), BmpError::None) << r.BitCount << " bpp at " << offset;
            EXPECT_EQ(info.PixelOffset, b.PixelOffset) << r.BitCount << " bpp at " << offset;
            EXPECT_EQ(info.PixelBytes, b.PixelBytes);
        }
    }
    // A short table: the pixels follow the entries the header declares.
    Recipe shortTable = Indexed(8);
    shortTable.ColorsUsed = 16;
    std::vector<uint8_t> v = Build(shortTable).Bytes;
    Set32(v, 10, 0);
    BmpInfo info;
    ASSERT_EQ(Parse(v, info), BmpError::None);
    EXPECT_EQ(info.PixelOffset, 54u + 64);
    // The other checks still hold: pixels that do not fit after the table, or huge claims.
    for (size_t cut : {size_t{1}, size_t{100}}) {
        std::vector<uint8_t> shorter = Build(Indexed(8)).Bytes;
        shorter.resize(shorter.size() - cut);
        Set32(shorter, 10, 0);
        EXPECT_EQ(Parse(shorter), BmpError::Truncated) << cut;
    }
    v = Build(Indexed(8)).Bytes;
    Set32(v, 10, 0);
    Set32(v, 18, 100000);
    Set32(v, 22, 100000);
    EXPECT_EQ(Parse(v), BmpError::TooLarge);
}

TEST(BmpParse, PixelOffsetPastTheEndIsTruncated) {
    const Built b = Build(Indexed(8));
    for (uint32_t offset : {static_cast<uint32_t>(b.Bytes.size()) + 1, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        std::vector<uint8_t> v = b.Bytes;
        Set32(v, 10, offset);
        EXPECT_EQ(Parse(v), BmpError::Truncated) << offset;
    }
    // One byte later than written: the last pixel byte is then missing.
    std::vector<uint8_t> v = b.Bytes;
    Set32(v, 10, b.PixelOffset + 1);
    EXPECT_EQ(Parse(v), BmpError::Truncated);
    // The file-size field is not trusted either way.
    v = b.Bytes;
    Set32(v, 2, 0);
    EXPECT_EQ(Parse(v), BmpError::None);
    Set32(v, 2, 0xFFFFFFFF);
    EXPECT_EQ(Parse(v), BmpError::None);
}

// A stream as a BMP writer may leave it: pixels said to follow the header although a table follows.
std::vector<uint8_t> MisplacedOffset(uint16_t bpp, uint32_t colours, uint32_t headerSize = 40) {
    Recipe r = Indexed(bpp);
    r.ColorsUsed = colours;
    r.HeaderSize = headerSize;
    std::vector<uint8_t> v = Build(r).Bytes;
    Set32(v, 10, 14 + headerSize);
    return v;
}

TEST(BmpCorrect, MovesTheOffsetPastTheTable) {
    std::vector<uint8_t> v = MisplacedOffset(8, 256);
    const std::vector<uint8_t> before = v;
    // The reader already finds the pixels after the table; the correction makes the header say so.
    BmpInfo misplaced;
    ASSERT_EQ(Parse(v, misplaced), BmpError::None);
    ASSERT_TRUE(CorrectBmpPixelOffset(v));
    EXPECT_EQ(Get32(v, 10), 54u + 1024u);
    BmpInfo corrected;
    ASSERT_EQ(Parse(v, corrected), BmpError::None);
    EXPECT_EQ(corrected.PixelOffset, misplaced.PixelOffset);
    // Only bfOffBits changed.
    for (size_t i = 0; i < v.size(); ++i) {
        if (i >= 10 && i <= 13) continue;
        ASSERT_EQ(v[i], before[i]) << i;
    }
    EXPECT_EQ(Parse(v), BmpError::None);
    // A second call finds nothing to do.
    EXPECT_FALSE(CorrectBmpPixelOffset(v));

    std::vector<uint8_t> v4 = MisplacedOffset(4, 16);
    ASSERT_TRUE(CorrectBmpPixelOffset(v4));
    EXPECT_EQ(Get32(v4, 10), 54u + 64u);
    EXPECT_EQ(Parse(v4), BmpError::None);
}

TEST(BmpCorrect, NeedsAStreamLongEnough) {
    // 5 x 3 x 8 bits: the size test uses 15 bytes of pixels (not the padded 24), plus N = 54 + 1024.
    std::vector<uint8_t> v = MisplacedOffset(8, 256);
    v.resize(54 + 1024 + 15);
    std::vector<uint8_t> enough = v;
    EXPECT_TRUE(CorrectBmpPixelOffset(enough));
    EXPECT_EQ(Get32(enough, 10), 1078u);
    v.resize(54 + 1024 + 14);
    const std::vector<uint8_t> before = v;
    EXPECT_FALSE(CorrectBmpPixelOffset(v));
    EXPECT_EQ(v, before);
}

TEST(BmpCorrect, LeavesOtherStreamsAlone) {
    // No colour count.
    std::vector<uint8_t> v = MisplacedOffset(24, 0);
    std::vector<uint8_t> before = v;
    EXPECT_FALSE(CorrectBmpPixelOffset(v));
    EXPECT_EQ(v, before);
    // Already right.
    Recipe right = Indexed(8);
    right.ColorsUsed = 256;
    v = Build(right).Bytes;
    before = v;
    EXPECT_FALSE(CorrectBmpPixelOffset(v));
    EXPECT_EQ(v, before);
    // Too short to hold both headers.
    for (size_t n = 0; n < 54; ++n) {
        std::vector<uint8_t> cut(before.begin(), before.begin() + n);
        const std::vector<uint8_t> same = cut;
        EXPECT_FALSE(CorrectBmpPixelOffset(cut)) << n;
        EXPECT_EQ(cut, same);
    }
    // biSize + 14 computed without 32-bit wrap-around: 0xFFFFFFFF + 14 is not 13.
    v = MisplacedOffset(8, 256);
    Set32(v, 14, 0xFFFFFFFF);
    Set32(v, 10, 13);
    EXPECT_FALSE(CorrectBmpPixelOffset(v));
}

TEST(BmpCorrect, CoreHeaderEntriesAreThreeBytes) {
    // The fields are read at the 40-byte header's places whatever the header is, so with a 12-byte
    // header "biClrUsed" lies in the colour table and "biWidth" spans width and height.
    std::vector<uint8_t> v = Build(Core(8)).Bytes;  // 26 + 768 + 24 bytes
    Set32(v, 10, 26);
    Set32(v, 46, 256);  // the clrUsed place
    Set32(v, 18, 5);    // width 5, height 0 at the core places: "biWidth" = 5
    Set32(v, 22, 1);    // "biHeight" = 1
    Set16(v, 28, 8);    // "biBitCount" = 8
    ASSERT_TRUE(CorrectBmpPixelOffset(v));
    EXPECT_EQ(Get32(v, 10), 26u + 256u * 3u);
    v.resize(26 + 768 + 0);
    Set32(v, 10, 26);
    EXPECT_FALSE(CorrectBmpPixelOffset(v));  // needs 26 + 768 + 5 * 1 * 8 / 8
}

TEST(BmpCorrect, ExtremeFieldsDoNotOverflow) {
    std::vector<uint8_t> v = MisplacedOffset(8, 256);
    // Astronomically large pixel sizes never fit.
    Set32(v, 18, INT32_MAX);
    Set32(v, 22, INT32_MAX);
    Set16(v, 28, 0xFFFF);
    EXPECT_FALSE(CorrectBmpPixelOffset(v));
    // A negative product is always "enough", as 64-bit signed arithmetic says.
    Set32(v, 22, static_cast<uint32_t>(INT32_MIN));
    EXPECT_TRUE(CorrectBmpPixelOffset(v));
    EXPECT_EQ(Get32(v, 10), 1078u);
    // Top-down: negative height.
    v = MisplacedOffset(8, 256);
    Set32(v, 22, static_cast<uint32_t>(-3));
    EXPECT_TRUE(CorrectBmpPixelOffset(v));
    // A corrected offset that the 32-bit field cannot hold is not written.
    v = MisplacedOffset(8, 256);
    Set32(v, 22, static_cast<uint32_t>(-3));
    Set32(v, 46, 0xFFFFFFFF);
    EXPECT_FALSE(CorrectBmpPixelOffset(v));
    // Zero bit count: the pixels take no room.
    v = MisplacedOffset(8, 256);
    Set16(v, 28, 0);
    EXPECT_TRUE(CorrectBmpPixelOffset(v));
}

TEST(BmpFuzz, MutatedFilesNeverBreakTheParserOrTheCorrection) {
    std::vector<std::vector<uint8_t>> seeds;
    for (uint16_t bpp : {1, 4, 8, 16, 24, 32}) seeds.push_back(Build(Indexed(bpp)).Bytes);
    for (uint16_t bpp : {1, 8, 24}) seeds.push_back(Build(Core(bpp)).Bytes);
    for (uint32_t header : {40u, 124u}) {
        Recipe bf = Indexed(32);
        bf.Compression = 3;
        bf.HeaderSize = header;
        bf.Height = -3;
        seeds.push_back(Build(bf).Bytes);
    }
    for (uint32_t c : {1u, 2u}) {
        Recipe r = RleRecipe(c);
        r.SizeImage = c == 1;
        seeds.push_back(Build(r).Bytes);
    }
    seeds.push_back(MisplacedOffset(8, 256));
    seeds.push_back(MisplacedOffset(4, 16, 12));

    const size_t fieldAt[] = {2, 10, 14, 18, 20, 22, 24, 26, 28, 30, 34, 46, 50};
    const uint32_t interesting[] = {
        0,   1,   2,   3,      4,      8,      12,      16,         24,         32,         40,        54,
        124, 255, 256, 0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE};
    std::mt19937 rng(12345);
    auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
    int accepted = 0, corrected = 0;
    for (int iter = 0; iter < 200000; ++iter) {
        std::vector<uint8_t> v = seeds[pick(std::size(seeds))];
        const int rounds = 1 + static_cast<int>(pick(4));
        for (int k = 0; k < rounds; ++k) {
            switch (pick(6)) {
                case 0:
                    if (!v.empty()) v[pick(v.size())] = static_cast<uint8_t>(rng());
                    break;
                case 1:
                    if (!v.empty()) v[pick(v.size())] ^= static_cast<uint8_t>(1u << pick(8));
                    break;
                case 2:
                case 3: {
                    const size_t at = fieldAt[pick(std::size(fieldAt))];
                    const uint32_t x = pick(3) == 0 ? static_cast<uint32_t>(rng())
                                                    : interesting[pick(std::size(interesting))];
                    if (at + 4 <= v.size() && pick(2))
                        Set32(v, at, x);
                    else if (at + 2 <= v.size())
                        Set16(v, at, x);
                    break;
                }
                case 4: v.resize(pick(v.size() + 1)); break;
                case 5: v.resize(v.size() + pick(64), static_cast<uint8_t>(rng())); break;
            }
        }
        const uint64_t maxPixels = pick(8) == 0 ? pick(40) : pick(8) == 0 ? UINT64_MAX : 64ull * 1024 * 1024;
        std::unique_ptr<uint8_t[]> exact(new uint8_t[v.size() ? v.size() : 1]);
        std::copy(v.begin(), v.end(), exact.get());
        BmpInfo info;
        if (ParseBmp(exact.get(), v.size(), info, maxPixels) == BmpError::None) {
            ++accepted;
            ASSERT_TRUE(Consistent(exact.get(), v.size(), info, maxPixels)) << "iteration " << iter;
        }

        uint32_t n = 0;
        const bool should = ShouldCorrect(v, n);
        const std::vector<uint8_t> before = v;
        ASSERT_EQ(CorrectBmpPixelOffset(v), should) << "iteration " << iter;
        ASSERT_EQ(v.size(), before.size());
        if (should) {
            ++corrected;
            ASSERT_EQ(Get32(v, 10), n);
            Set32(v, 10, Get32(before, 10));
        }
        ASSERT_EQ(v, before) << "iteration " << iter;
    }
    // The mutations must leave enough valid files for the accepted-file checks to mean something.
    EXPECT_GT(accepted, 10000);
    EXPECT_GT(corrected, 1000);
}
