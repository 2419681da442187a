#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/bmp_files.hpp"
#include "common/screen.hpp"
#include "cover/picture_io.hpp"
#include "ui/gdi.hpp"

namespace {

const char* kFile = "C:\\obsc32_load.bmp";

struct Builder {
    std::vector<unsigned char> b;
    void u8(unsigned v) { b.push_back(static_cast<unsigned char>(v)); }
    void u16(unsigned v) {
        u8(v & 255);
        u8((v >> 8) & 255);
    }
    void u32(uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void Finish(uint32_t offset) {
        uint32_t size = static_cast<uint32_t>(b.size());
        for (int i = 0; i < 4; ++i) b[2 + i] = static_cast<unsigned char>(size >> (8 * i));
        for (int i = 0; i < 4; ++i) b[10 + i] = static_cast<unsigned char>(offset >> (8 * i));
    }
};

// File header and a 40-byte info header.
Builder Start(int w, int h, int bpp, uint32_t compression, uint32_t colors, uint32_t sizeImage = 0) {
    Builder x;
    x.u8('B');
    x.u8('M');
    x.u32(0);
    x.u32(0);
    x.u32(0);
    x.u32(40);
    x.u32(static_cast<uint32_t>(w));
    x.u32(static_cast<uint32_t>(h));
    x.u16(1);
    x.u16(bpp);
    x.u32(compression);
    x.u32(sizeImage);
    x.u32(0);
    x.u32(0);
    x.u32(colors);
    x.u32(0);
    return x;
}

void Palette(Builder& x, std::initializer_list<COLORREF> colors) {
    for (COLORREF c : colors) {
        x.u8(GetBValue(c));
        x.u8(GetGValue(c));
        x.u8(GetRValue(c));
        x.u8(0);
    }
}

// The loaded picture's pixels, top row first.
std::vector<COLORREF> Load(const std::vector<unsigned char>& file, int& w, int& h) {
    w = h = 0;
    if (!testing_common::SaveBytes(kFile, file)) return {};
    ui::Bitmap bmp = std::move(obsc32::LoadBmpFile(kFile).Bitmap);
    return bmp ? testing_common::BitmapPixels(bmp.Get(), w, h) : std::vector<COLORREF>();
}

const COLORREF R = RGB(255, 0, 0), G = RGB(0, 255, 0), B = RGB(0, 0, 255), K = RGB(0, 0, 0),
               Wt = RGB(255, 255, 255);

}  // namespace

TEST(BmpLoad, EveryDepthAndEncodingGivesItsPixels) {
    int w, h;
    // 1 bpp, 3 x 2, bottom-up: bottom row white black white, top row black white black.
    Builder one = Start(3, 2, 1, BI_RGB, 2);
    Palette(one, {K, Wt});
    one.u8(0xA0);
    one.u8(0);
    one.u8(0);
    one.u8(0);  // bottom row: bits 101
    one.u8(0x40);
    one.u8(0);
    one.u8(0);
    one.u8(0);  // top row: bits 010
    one.Finish(14 + 40 + 8);
    EXPECT_EQ(Load(one.b, w, h), (std::vector<COLORREF>{K, Wt, K, Wt, K, Wt}));

    // 4 bpp, 2 x 1.
    Builder four = Start(2, 1, 4, BI_RGB, 3);
    Palette(four, {R, G, B});
    four.u8(0x12);
    four.u8(0);
    four.u8(0);
    four.u8(0);
    four.Finish(14 + 40 + 12);
    EXPECT_EQ(Load(four.b, w, h), (std::vector<COLORREF>{G, B}));

    // 8 bpp RLE: one run of 3 red, end of line, end of bitmap; no size in the header.
    Builder rle8 = Start(3, 1, 8, BI_RLE8, 2);
    Palette(rle8, {K, R});
    for (unsigned v : {3u, 1u, 0u, 0u, 0u, 1u}) rle8.u8(v);
    rle8.Finish(14 + 40 + 8);
    EXPECT_EQ(Load(rle8.b, w, h), (std::vector<COLORREF>{R, R, R}));

    // 4 bpp RLE: 4 pixels alternating entries 1 and 2.
    Builder rle4 = Start(4, 1, 4, BI_RLE4, 3);
    Palette(rle4, {K, G, B});
    for (unsigned v : {4u, 0x12u, 0u, 0u, 0u, 1u}) rle4.u8(v);
    rle4.Finish(14 + 40 + 12);
    EXPECT_EQ(Load(rle4.b, w, h), (std::vector<COLORREF>{G, B, G, B}));

    // 16 bpp (5-5-5): pure red and pure blue.
    Builder sixteen = Start(2, 1, 16, BI_RGB, 0);
    sixteen.u16(0x7C00);
    sixteen.u16(0x001F);
    sixteen.Finish(14 + 40);
    std::vector<COLORREF> px = Load(sixteen.b, w, h);
    ASSERT_EQ(px.size(), 2u);
    EXPECT_EQ(GetRValue(px[0]) & 0xF8, 0xF8);
    EXPECT_EQ(GetBValue(px[1]) & 0xF8, 0xF8);

    // 32 bpp, top-down (negative height): the first stored row is the top one.
    Builder topDown = Start(1, static_cast<int>(-2), 32, BI_RGB, 0);
    topDown.u32(0x00FF0000);
    topDown.u32(0x000000FF);
    topDown.Finish(14 + 40);
    EXPECT_EQ(Load(topDown.b, w, h), (std::vector<COLORREF>{R, B}));
    EXPECT_EQ(h, 2);

    // The old 12-byte core header, 24 bpp.
    Builder core;
    core.u8('B');
    core.u8('M');
    core.u32(0);
    core.u32(0);
    core.u32(0);
    core.u32(12);
    core.u16(1);
    core.u16(1);
    core.u16(1);
    core.u16(24);
    core.u8(0);
    core.u8(255);
    core.u8(0);
    core.u8(0);
    core.Finish(14 + 12);
    EXPECT_EQ(Load(core.b, w, h), (std::vector<COLORREF>{G}));
}

TEST(BmpLoad, AnOffsetShortOfTheColourTableReadsThePixelsAfterIt) {
    int w, h;
    // 4 bpp, 4 x 1: entries 1 2 3 0. Written with bfOffBits 0, and with bfOffBits pointing at the table
    // (the slip of writers that forget the table).
    for (uint32_t offset : {0u, 14u + 40u, 20u}) {
        Builder four = Start(4, 1, 4, BI_RGB, 4);
        Palette(four, {K, R, G, B});
        four.u8(0x12);
        four.u8(0x30);
        four.u8(0);
        four.u8(0);
        four.Finish(offset);
        EXPECT_EQ(Load(four.b, w, h), (std::vector<COLORREF>{R, G, B, K})) << "4 bpp at " << offset;
    }
    // 8 bpp with a full table of 256 entries, 3 x 2.
    for (uint32_t offset : {0u, 14u + 40u, 14u + 40u + 512u}) {
        Builder eight = Start(3, 2, 8, BI_RGB, 0);
        Palette(eight, {K, R, G, B});
        for (int i = 4; i < 256; ++i) eight.u32(0x00808080);
        for (unsigned v : {3u, 2u, 1u, 0u}) eight.u8(v);  // bottom row
        for (unsigned v : {1u, 1u, 2u, 0u}) eight.u8(v);  // top row
        eight.Finish(offset);
        EXPECT_EQ(Load(eight.b, w, h), (std::vector<COLORREF>{R, R, G, B, G, R})) << "8 bpp at " << offset;
    }
}

TEST(BmpLoad, BrokenFilesFailWithoutAPicture) {
    int w, h;
    Builder colorsBeyond = Start(2, 1, 8, BI_RGB, 200);
    Palette(colorsBeyond, {R, G});
    colorsBeyond.Finish(14 + 40 + 8);
    EXPECT_TRUE(Load(colorsBeyond.b, w, h).empty());
    // An RLE stream that runs past the end of its rows: the picture is either refused or stays in bounds.
    Builder runaway = Start(2, 1, 8, BI_RLE8, 2);
    Palette(runaway, {K, R});
    for (unsigned v : {255u, 1u, 255u, 1u, 0u, 2u, 200u, 200u, 0u, 1u}) runaway.u8(v);
    runaway.Finish(14 + 40 + 8);
    std::vector<COLORREF> px = Load(runaway.b, w, h);
    EXPECT_TRUE(px.empty() || px.size() == 2u);
    EXPECT_FALSE(obsc32::LoadBmpFile("C:\\no such folder\\x.bmp").Bitmap);
}

TEST(BmpLoad, AV5HeaderWhoseProfileLiesFarAwayGivesItsPixels) {
    int w, h;
    // The rest of a 124-byte header: masks, an embedded profile's type, and its offset far past the file.
    auto v5 = [](Builder& x, uint32_t red, uint32_t green, uint32_t blue) {
        x.b[14] = 124;
        for (uint32_t v : {red, green, blue, 0u, 0x4D424544u /* PROFILE_EMBEDDED */}) x.u32(v);
        for (int i = 0; i < 12; ++i) x.u32(0);  // end points, gamma
        for (uint32_t v : {4u /* LCS_GM_IMAGES */, 0x7FFFFFF0u, 3000u, 0u}) x.u32(v);
    };
    // 32 bpp bit fields in the order red, green, blue from the lowest byte: GDI's default would swap them.
    Builder fields = Start(2, 1, 32, BI_BITFIELDS, 0);
    v5(fields, 0x000000FF, 0x0000FF00, 0x00FF0000);
    fields.u32(0x000000FF);
    fields.u32(0x00FF0000);
    fields.Finish(14 + 124);
    EXPECT_EQ(Load(fields.b, w, h), (std::vector<COLORREF>{R, B}));

    // 4 bpp: the colour table follows the 124 bytes.
    Builder indexed = Start(3, 1, 4, BI_RGB, 3);
    v5(indexed, 0, 0, 0);
    Palette(indexed, {K, G, B});
    for (unsigned v : {0x21u, 0x10u, 0u, 0u}) indexed.u8(v);  // entries 2 1 1, then the row's padding
    indexed.Finish(14 + 124 + 12);
    EXPECT_EQ(Load(indexed.b, w, h), (std::vector<COLORREF>{B, G, G}));
}

TEST(BmpSave, AFileLargerThanAnyStretchOfAddressSpaceLeftIsAFailedSave) {
    ui::Bitmap mono(CreateBitmap(6000, 6000, 1, 1, nullptr));
    std::vector<void*> held;
    for (SIZE_T size = 1 << 30; size >= 64 << 20; size /= held.back() ? 1 : 2)
        held.push_back(VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS));
    EXPECT_FALSE(obsc32::SaveBitmapAsBmp(mono.Get(), kFile, 0, 0));
    for (void* p : held) VirtualFree(p, 0, MEM_RELEASE);
}
