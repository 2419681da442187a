#pragma once

// Path and text helpers for code page 932 byte strings. In that code page 0x5C is both the path
// separator and a possible second byte of a double-byte character, so none of these helpers may
// look at a byte without knowing whether it is the second half of a character.

#include <cstddef>
#include <string>
#include <vector>

namespace obsc32 {

// True for the first byte of a double-byte character: 0x81..0x9F or 0xE0..0xFC.
bool IsLeadByte(unsigned char b);
// True for a byte that may be the second one: 0x40..0x7E or 0x80..0xFC.
bool IsTrailByte(unsigned char b);

// The bytes of the character that starts at `index`: 2 for a first byte and a real second one, else 1. A
// first byte followed by anything else (':', '"', a control character) or by nothing is a lone byte of its
// own: it takes no byte with it, so it can never hide a separator or a quote.
std::size_t CharLength(const std::string& text, std::size_t index);
// Whether the character at `index` is a first byte with no real second byte.
bool IsLoneLeadAt(const std::string& text, std::size_t index);

// The path ending in exactly one real backslash. Texts of up to 3 bytes that end in 0x5C (C:\) are
// kept as they are. A lone first byte at the end is dropped: the backslash after it would be read as its
// second byte, and no path can hold it anyway.
std::string YenAdd(std::string path);

// The path without its trailing real backslash; texts of up to 3 bytes come back unchanged.
std::string YenCut(std::string path);

// The longest prefix of at most n bytes that does not end in the first half of a character.
std::string SjisLeft(std::string text, int n);

// Single-byte letters folded to lower (toLower) or upper case, up to the first single-byte '"'.
std::string SjisCase(std::string text, bool toLower);

// Appends every segment that ends in a real backslash, backslash included (C:\A\B -> C:\, A\).
void YenSplit(const std::string& path, std::vector<std::string>& list);

// Appends the folders of the path from the drive root down (C:\A\B\ -> C:\, C:\A, C:\A\B).
void YenLevels(const std::string& path, std::vector<std::string>& list);

// The path's last part without the dots and blanks at its end, which the system drops when it opens a name
// ("C:\\A \\a.txt. " is "C:\\A \\a.txt"); a folder's name keeps them, and a last "." or ".." stays.
std::string DropTrailingDotsAndBlanks(const std::string& path);

// The file name part of a path (after the last real backslash, or ':' or '/').
std::string FileNamePart(const std::string& path);
// The folder part of a path, with its trailing separator.
std::string FolderPart(const std::string& path);

}  // namespace obsc32
