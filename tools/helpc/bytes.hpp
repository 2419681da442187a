// Little-endian byte strings, the way every structure of a help file is stored.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace helpc {

inline void PutU8(std::string& out, std::uint32_t v) { out += static_cast<char>(v & 0xFF); }
inline void PutU16(std::string& out, std::uint32_t v) {
    PutU8(out, v);
    PutU8(out, v >> 8);
}
inline void PutU32(std::string& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}
// A string with its terminating NUL.
inline void PutZ(std::string& out, std::string_view s) {
    out += s;
    out += '\0';
}
inline void SetU32(std::string& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The topic file's packed numbers: one byte (value * 2) below 128, else two bytes (value * 2 + 1).
inline void PutCompressedU16(std::string& out, std::uint32_t v) {
    if (v < 0x80)
        PutU8(out, v * 2);
    else
        PutU16(out, v * 2 + 1);
}
// Two bytes ((value + 0x4000) * 2) for -0x4000 <= value < 0x4000, else four ((value + 0x40000000) * 2 + 1).
inline void PutCompressedLong(std::string& out, std::int32_t v) {
    if (v >= -0x4000 && v < 0x4000)
        PutU16(out, static_cast<std::uint32_t>(v + 0x4000) * 2);
    else
        PutU32(out, static_cast<std::uint32_t>(v + 0x40000000) * 2 + 1);
}

}  // namespace helpc
