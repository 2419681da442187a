#pragma once

// Path and text helpers for the program's UTF-8 strings. Every byte of a multi-byte character is 0x80 or
// above, so a backslash, a quote, ':' or '/' is always itself; the helpers only keep from cutting a character
// in two, and count a text the way the system or code page 932 counts it where a limit was set in those.

#include <cstddef>
#include <string>
#include <vector>

namespace obsc32 {

// The bytes of the character that starts at `index`: the length of a whole UTF-8 sequence there, else 1 (a
// stray byte stands alone).
std::size_t CharLength(const std::string& text, std::size_t index);
// Whether every byte belongs to a whole UTF-8 sequence.
bool IsWholeUtf8(const std::string& text);
// The text's length in UTF-16 units, as the system counts a path against MAX_PATH.
std::size_t WideLength(const std::string& text);
// The bytes the text takes in code page 932, where the program's limits on shown texts were set: one for
// ASCII and half-width katakana, two for any other character.
std::size_t ShownWidth(const std::string& text);

// The path ending in a backslash: one is added unless it ends in one already (C:\ included).
std::string YenAdd(std::string path);

// The path without its trailing backslash; texts of up to 3 bytes (C:\) come back unchanged.
std::string YenCut(std::string path);

// The longest prefix whose code page 932 width is at most n, cutting no character.
std::string ShownLeft(std::string text, int n);

// ASCII letters folded to lower (toLower) or upper case, up to the first '"'.
std::string AsciiCase(std::string text, bool toLower);

// Appends every segment that ends in a backslash, backslash included (C:\A\B -> C:\, A\), up to the first
// '"'.
void YenSplit(const std::string& path, std::vector<std::string>& list);

// Appends the folders of the path from the drive root down (C:\A\B\ -> C:\, C:\A, C:\A\B).
void YenLevels(const std::string& path, std::vector<std::string>& list);

// The path's last part without the dots and blanks at its end, which the system drops when it opens a name
// ("C:\\A \\a.txt. " is "C:\\A \\a.txt"); a folder's name keeps them, and a last "." or ".." stays.
std::string DropTrailingDotsAndBlanks(const std::string& path);

// The file name part of a path (after the last backslash, ':' or '/').
std::string FileNamePart(const std::string& path);
// The folder part of a path, with its trailing separator.
std::string FolderPart(const std::string& path);

}  // namespace obsc32
