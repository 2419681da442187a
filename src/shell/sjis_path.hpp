#pragma once

// Path and text helpers for code page 932 byte strings. In that code page 0x5C is both the path
// separator and a possible second byte of a double-byte character, so none of these helpers may
// look at a byte without knowing whether it is the second half of a character.

#include <string>
#include <vector>

namespace obsc32 {

// True for the first byte of a double-byte character: 0x81..0x9F or 0xE0..0xFC.
bool IsLeadByte(unsigned char b);

// The path ending in exactly one real backslash. Texts of up to 3 bytes that end in 0x5C (C:\) are
// kept as they are.
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

// Every part of a path without the dots and blanks at its end, which the system drops when it opens a name
// ("C:\\WINDOWS.\\a .txt" is "C:\\WINDOWS\\a.txt"); "." and ".." parts are kept.
std::string DropTrailingDotsAndBlanks(const std::string& path);

// The file name part of a path (after the last real backslash, or ':' or '/').
std::string FileNamePart(const std::string& path);
// The folder part of a path, with its trailing separator.
std::string FolderPart(const std::string& path);

}  // namespace obsc32
