// The fuzz targets' own reading of UTF-8, written apart from the code under test.
#pragma once
#include <cstddef>
#include <string>

namespace fuzz {

// The code point of the whole sequence at i and its length, or length 0 when no whole sequence starts there.
struct Utf8Char {
    unsigned code = 0;
    std::size_t length = 0;
};
inline Utf8Char Utf8At(const std::string& s, std::size_t i) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) return {b, 1};
    std::size_t n = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return {};
    unsigned c = b & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        const unsigned char f = static_cast<unsigned char>(s[i + k]);
        if ((f & 0xC0) != 0x80) return {};
        c = c << 6 | (f & 0x3F);
    }
    static const unsigned kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {};
    return {c, n};
}
inline bool WholeUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const Utf8Char c = Utf8At(s, i);
        if (c.length == 0) return false;
        i += c.length;
    }
    return true;
}
// For whole UTF-8: UTF-16 units, and the bytes code page 932 would take (one for ASCII and half-width kana).
inline std::size_t Utf16Units(const std::string& s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += Utf8At(s, i).length) n += Utf8At(s, i).code > 0xFFFF ? 2 : 1;
    return n;
}
inline std::size_t Cp932Bytes(const std::string& s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += Utf8At(s, i).length) {
        const unsigned c = Utf8At(s, i).code;
        n += c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2;
    }
    return n;
}

}  // namespace fuzz
