// libFuzzer target: any file either fails to parse with a cleared BmpInfo, or every part the loader reads
// (headers, colour table, pixels) lies inside it and the header GDI gets is a plain one with the file's
// fields, masks and colours; the write-side correction agrees with a wide-integer account of its rule and
// touches nothing but bfOffBits.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "cover/bmp_format.hpp"
#include "fuzz_input.hpp"

using obsc32::BmpError;
using obsc32::BmpInfo;

namespace {

bool Same(const BmpInfo& a, const BmpInfo& b) {
    return a.PixelOffset == b.PixelOffset && a.HeaderSize == b.HeaderSize && a.Width == b.Width &&
           a.Height == b.Height && a.BitCount == b.BitCount && a.Compression == b.Compression &&
           a.ColorsUsed == b.ColorsUsed && a.ColorTableOffset == b.ColorTableOffset &&
           a.ColorTableBytes == b.ColorTableBytes && a.PixelBytes == b.PixelBytes;
}

std::uint32_t U16At(const std::vector<std::uint8_t>& v, std::size_t at) {
    return v[at] | static_cast<std::uint32_t>(v[at + 1]) << 8;
}
std::uint32_t U32At(const std::vector<std::uint8_t>& v, std::size_t at) {
    return v[at] | v[at + 1] << 8 | v[at + 2] << 16 | static_cast<std::uint32_t>(v[at + 3]) << 24;
}

// Reads what the loader reads, so the sanitizer sees a read past the file.
unsigned Touch(const std::vector<std::uint8_t>& file, std::uint64_t from, std::uint64_t bytes) {
    unsigned sum = 0;
    if (bytes == 0) return 0;
    sum += file.data()[from] + file.data()[from + bytes - 1];
    return sum;
}

void CheckParse(const std::vector<std::uint8_t>& file) {
    BmpInfo info;
    info.Width = 77;  // a failed parse must clear it
    const BmpError e = obsc32::ParseBmp(file.data(), file.size(), info);
    if (e != BmpError::None) {
        FUZZ_CHECK(Same(info, BmpInfo{}));
        return;
    }
    const std::uint64_t size = file.size();
    const bool rle = info.Compression == 1 || info.Compression == 2;
    FUZZ_CHECK(info.Width > 0 && info.Height != 0 && info.AbsHeight() > 0);
    FUZZ_CHECK(static_cast<std::uint64_t>(info.Width) * info.AbsHeight() <= 64ull * 1024 * 1024);
    FUZZ_CHECK(info.ColorTableOffset == 14 + info.HeaderSize);
    const std::uint64_t entry = info.HeaderSize == 12 ? 3 : 4;
    const std::uint64_t masks = info.Compression == 3 && info.HeaderSize == 40 ? 12 : 0;
    FUZZ_CHECK(info.ColorTableBytes == masks + info.ColorsUsed * entry);
    if (info.BitCount <= 8) FUZZ_CHECK(info.ColorsUsed >= 1 && info.ColorsUsed <= (1u << info.BitCount));
    FUZZ_CHECK(static_cast<std::uint64_t>(info.ColorTableOffset) + info.ColorTableBytes <= info.PixelOffset);
    FUZZ_CHECK(static_cast<std::uint64_t>(info.PixelOffset) + info.PixelBytes <= size);
    if (rle) {
        FUZZ_CHECK(info.Height > 0 && info.PixelBytes >= 2);
        FUZZ_CHECK((info.Compression == 1 && info.BitCount == 8) ||
                   (info.Compression == 2 && info.BitCount == 4));
    } else {
        // GDI reads whole rows, each padded to a multiple of four bytes.
        const std::uint64_t bits = static_cast<std::uint64_t>(info.Width) * info.BitCount;
        const std::uint64_t stride = (bits + 31) / 32 * 4;
        FUZZ_CHECK(info.Stride() == stride && stride * info.AbsHeight() == info.PixelBytes);
    }
    // GDI's header: 40 bytes of the file's fields, the masks found at byte 54 (after a 40-byte header, or
    // opening a larger one), and an indexed file's table widened to 4-byte entries.
    const std::vector<std::uint8_t> gdi = obsc32::GdiBitmapHeader(file.data(), info);
    const bool core = info.HeaderSize == 12, bitfields = info.Compression == 3;
    const std::uint64_t colors = info.BitCount <= 8 ? info.ColorsUsed : 0;
    FUZZ_CHECK(gdi.size() == 40 + (bitfields ? 12 : 0) + 4 * colors);
    FUZZ_CHECK(U32At(gdi, 0) == 40 && U32At(gdi, 12) == (info.BitCount << 16 | 1u));
    if (core) {
        FUZZ_CHECK(U32At(gdi, 4) == U16At(file, 18) && U32At(gdi, 8) == U16At(file, 20));
        FUZZ_CHECK(U32At(gdi, 16) == 0);
    } else {
        for (std::size_t at : {4, 8, 16}) FUZZ_CHECK(U32At(gdi, at) == U32At(file, 14 + at));
    }
    FUZZ_CHECK(U32At(gdi, 20) == info.PixelBytes && U32At(gdi, 24) == 0 && U32At(gdi, 28) == 0);
    FUZZ_CHECK(U32At(gdi, 32) == colors && U32At(gdi, 36) == 0);
    if (bitfields) FUZZ_CHECK(std::equal(gdi.begin() + 40, gdi.begin() + 52, file.begin() + 54));
    for (std::uint64_t i = 0; i < colors; ++i) {
        const std::size_t from = 14 + info.HeaderSize + (core ? 3 : 4) * i, to = 40 + 4 * i;
        FUZZ_CHECK(gdi[to] == file[from] && gdi[to + 1] == file[from + 1] && gdi[to + 2] == file[from + 2] &&
                   gdi[to + 3] == 0);
    }

    unsigned sum = Touch(file, 14, info.HeaderSize) +
                   Touch(file, info.ColorTableOffset, info.ColorTableBytes) +
                   Touch(file, info.PixelOffset, info.PixelBytes);
    (void)sum;

    // More bytes after the file change nothing but how much an RLE file without biSizeImage may hold.
    std::vector<std::uint8_t> longer(file);
    longer.resize(file.size() + 3, 0);
    BmpInfo again;
    FUZZ_CHECK(obsc32::ParseBmp(longer.data(), longer.size(), again) == BmpError::None);
    if (rle) again.PixelBytes = info.PixelBytes;
    FUZZ_CHECK(Same(info, again));

    // A tighter pixel bound refuses exactly the larger pictures.
    const std::uint64_t pixels = static_cast<std::uint64_t>(info.Width) * info.AbsHeight();
    const BmpError bounded = obsc32::ParseBmp(file.data(), file.size(), again, 4096);
    FUZZ_CHECK(bounded == (pixels > 4096 ? BmpError::TooLarge : BmpError::None));
}

void CheckCorrection(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> stream(file);
    const bool changed = obsc32::CorrectBmpPixelOffset(stream);
    FUZZ_CHECK(stream.size() == file.size());
    for (std::size_t i = 0; i < file.size(); ++i)
        if (i < 10 || i > 13) FUZZ_CHECK(stream[i] == file[i]);
    if (file.size() < 54) {
        FUZZ_CHECK(!changed && stream == file);
        return;
    }
    const __int128 offBits = U32At(file, 10), biSize = U32At(file, 14);
    const __int128 width = static_cast<std::int32_t>(U32At(file, 18));
    const __int128 height = static_cast<std::int32_t>(U32At(file, 22));
    const __int128 bitCount = file[28] | file[29] << 8, clrUsed = U32At(file, 46);
    const __int128 n = biSize + 14 + clrUsed * (biSize >= 40 ? 4 : 3);
    const __int128 bytes = width * height * bitCount / 8;  // exact, truncated toward zero
    const bool expected = offBits == biSize + 14 && clrUsed > 0 &&
                          static_cast<__int128>(file.size()) >= bytes + n && n <= 0xFFFFFFFF;
    FUZZ_CHECK(changed == expected);
    if (changed) {
        FUZZ_CHECK(U32At(stream, 10) == static_cast<std::uint32_t>(n));
        // Once past the table, the stream no longer looks like the slip.
        std::vector<std::uint8_t> twice(stream);
        FUZZ_CHECK(!obsc32::CorrectBmpPixelOffset(twice) && twice == stream);
    } else {
        FUZZ_CHECK(stream == file);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so the sanitizer sees any read past the file.
    const std::vector<std::uint8_t> file(data, data + size);
    CheckParse(file);
    CheckCorrection(file);
    return 0;
}
