// Shift-JIS (code page 932) byte classes. A second byte may be 0x5C '\', '{', '|' or '}', so nothing that
// looks for those may look at a byte without knowing whether it is the second half of a character.
#pragma once

namespace helpc {

// The first byte of a double-byte character.
inline bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
// A byte that may follow a lead byte.
inline bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
// A single-byte character the code page defines and that may stand in text: printable ASCII and the
// half-width katakana.
inline bool IsSingleByteText(unsigned char b) { return (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF); }

}  // namespace helpc
