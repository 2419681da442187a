#include "shell/path_text.hpp"

namespace obsc32 {

namespace {

constexpr char kYen = '\\';
constexpr char kQuote = '"';

unsigned char Byte(const std::string& text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

bool IsFollower(const std::string& text, std::size_t i) {
    return i < text.size() && (Byte(text, i) & 0xC0) == 0x80;
}

// The code point of the whole sequence at `index` (CharLength bytes long).
unsigned CodePoint(const std::string& text, std::size_t index, std::size_t length) {
    static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    unsigned c = Byte(text, index) & kLeadMask[length];
    for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (Byte(text, index + k) & 0x3F);
    return c;
}

}  // namespace

std::size_t CharLength(const std::string& text, std::size_t index) {
    const unsigned char b = Byte(text, index);
    const std::size_t length = b >= 0xC2 && b <= 0xDF   ? 2
                               : b >= 0xE0 && b <= 0xEF ? 3
                               : b >= 0xF0 && b <= 0xF4 ? 4
                                                        : 1;
    for (std::size_t k = 1; k < length; ++k)
        if (!IsFollower(text, index + k)) return 1;
    if (length == 1) return 1;
    // No overlong form, no surrogate and nothing past U+10FFFF: the system would not read those as one.
    const unsigned c = CodePoint(text, index, length);
    const bool whole = (length == 3 && c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) ||
                       (length == 4 && c >= 0x10000 && c <= 0x10FFFF) || length == 2;
    return whole ? length : 1;
}

bool IsWholeUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i))
        if (Byte(text, i) >= 0x80 && CharLength(text, i) == 1) return false;
    return true;
}

std::size_t WideLength(const std::string& text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i))
        units += CharLength(text, i) == 4 ? 2 : 1;
    return units;
}

namespace {
std::size_t WidthAt(const std::string& text, std::size_t i) {
    const std::size_t length = CharLength(text, i);
    if (length == 1) return 1;
    const unsigned c = CodePoint(text, i, length);
    return c >= 0xFF61 && c <= 0xFF9F ? 1 : 2;
}
}  // namespace

std::size_t ShownWidth(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) width += WidthAt(text, i);
    return width;
}

std::string YenAdd(std::string path) {
    if (path.empty() || path.back() != kYen) path += kYen;
    return path;
}

std::string YenCut(std::string path) {
    // Keeps the backslash of a drive root such as C:\.
    if (path.size() > 3 && path.back() == kYen) path.pop_back();
    return path;
}

std::string ShownLeft(std::string text, int n) {
    std::size_t end = 0, width = 0;
    while (end < text.size() && width + WidthAt(text, end) <= static_cast<std::size_t>(n < 0 ? 0 : n)) {
        width += WidthAt(text, end);
        end += CharLength(text, end);
    }
    text.resize(end);
    return text;
}

std::string AsciiCase(std::string text, bool toLower) {
    for (char& c : text) {
        // A path cannot hold a quote, so whatever follows one is not path text.
        if (c == kQuote) break;
        if (toLower && c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        else if (!toLower && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

void YenSplit(const std::string& path, std::vector<std::string>& list) {
    std::string segment;
    for (char c : path) {
        if (c == kQuote) break;
        segment.push_back(c);
        if (c == kYen) {
            list.push_back(segment);
            segment.clear();
        }
    }
}

void YenLevels(const std::string& path, std::vector<std::string>& list) {
    // Only the items added here are rewritten, so anything the caller already had stays as it was.
    std::size_t first = list.size();
    YenSplit(path, list);
    std::string running;
    for (std::size_t i = first; i < list.size(); ++i) {
        running += list[i];
        // The drive root keeps its backslash; deeper folders lose theirs.
        list[i] = (i == first) ? running : YenCut(running);
    }
}

namespace {
// Index just past the last separator (backslash, ':' or '/').
std::size_t NameStart(const std::string& path) {
    const std::size_t last = path.find_last_of("\\/:");
    return last == std::string::npos ? 0 : last + 1;
}
}  // namespace

std::string FileNamePart(const std::string& path) { return path.substr(NameStart(path)); }

std::string FolderPart(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string DropTrailingDotsAndBlanks(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    const std::size_t partStart = separator == std::string::npos ? 0 : separator + 1;
    const std::string last = path.substr(partStart);
    if (last == "." || last == "..") return path;
    const std::size_t keep = path.find_last_not_of(". ");
    return path.substr(0, keep == std::string::npos || keep < partStart ? partStart : keep + 1);
}

}  // namespace obsc32
