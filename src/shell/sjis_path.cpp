#include "shell/sjis_path.hpp"

#include <cstddef>

namespace obsc32 {

namespace {

constexpr char kYen = '\\';
constexpr char kQuote = '"';

// Lead bytes in an unbroken run that ends at index end - 1. A byte that is not a lead byte always
// closes a character, and every lead byte may also be a second byte, so only the parity of this run decides
// whether its last byte starts a character.
std::size_t LeadRunBefore(const std::string& text, std::size_t end) {
    std::size_t count = 0;
    while (end > 0 && IsLeadByte(static_cast<unsigned char>(text[end - 1]))) {
        ++count;
        --end;
    }
    return count;
}

// Whether the final byte, known to be 0x5C (always a possible second byte), is a separator rather than the
// tail of a character.
bool EndsInRealYen(const std::string& path) { return LeadRunBefore(path, path.size() - 1) % 2 == 0; }

// Whether the text ends in a lead byte that starts a character, which then has no second byte.
bool EndsInLoneLead(const std::string& text) { return LeadRunBefore(text, text.size()) % 2 == 1; }

}  // namespace

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

std::size_t CharLength(const std::string& text, std::size_t index) {
    const bool pair = index + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[index])) &&
                      IsTrailByte(static_cast<unsigned char>(text[index + 1]));
    return pair ? 2 : 1;
}

bool IsLoneLeadAt(const std::string& text, std::size_t index) {
    return IsLeadByte(static_cast<unsigned char>(text[index])) && CharLength(text, index) == 1;
}

std::string YenAdd(std::string path) {
    if (EndsInLoneLead(path)) path.pop_back();
    // No caller passes an empty path; a lone backslash is the least surprising answer.
    if (path.empty()) {
        return std::string(1, kYen);
    }
    if (path.back() != kYen) {
        return path + kYen;
    }
    // A drive root such as C:\ is left alone.
    if (path.size() <= 3) {
        return path;
    }
    if (EndsInRealYen(path)) {
        return path;
    }
    return path + kYen;
}

std::string YenCut(std::string path) {
    // Keeps the backslash of a drive root such as C:\.
    if (path.size() <= 3) {
        return path;
    }
    if (path.back() != kYen) {
        return path;
    }
    if (EndsInRealYen(path)) {
        path.pop_back();
    }
    return path;
}

std::string SjisLeft(std::string text, int n) {
    if (n <= 0) {
        return std::string();
    }
    const std::size_t count = static_cast<std::size_t>(n);
    std::size_t end = 0;
    while (end < text.size() && end + CharLength(text, end) <= count) end += CharLength(text, end);
    text.resize(end);
    return text;
}

std::string SjisCase(std::string text, bool toLower) {
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (CharLength(text, i) == 2) {
            // The second byte may look like a letter.
            i += 2;
            continue;
        }
        // A path cannot hold a quote, so whatever follows one is not path text.
        if (c == kQuote) {
            break;
        }
        if (toLower && c >= 'A' && c <= 'Z') {
            text[i] = static_cast<char>(c - 'A' + 'a');
        } else if (!toLower && c >= 'a' && c <= 'z') {
            text[i] = static_cast<char>(c - 'a' + 'A');
        }
        ++i;
    }
    return text;
}

void YenSplit(const std::string& path, std::vector<std::string>& list) {
    std::string segment;
    std::size_t i = 0;
    while (i < path.size()) {
        char c = path[i];
        if (CharLength(path, i) == 2) {
            // Taking both bytes keeps a 0x5C second byte from being read as a separator.
            segment.append(path, i, 2);
            i += 2;
            continue;
        }
        if (c == kQuote) {
            break;
        }
        segment.push_back(c);
        ++i;
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
// Index just past the last separator (real backslash, ':' or '/').
std::size_t NameStart(const std::string& path) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); i += CharLength(path, i)) {
        if (path[i] == kYen || path[i] == '/' || path[i] == ':') start = i + 1;
    }
    return start;
}
}  // namespace

std::string FileNamePart(const std::string& path) { return path.substr(NameStart(path)); }

std::string FolderPart(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string DropTrailingDotsAndBlanks(const std::string& path) {
    std::size_t partStart = 0, keep = 0;
    for (std::size_t i = 0; i < path.size(); i += CharLength(path, i)) {
        const bool single = CharLength(path, i) == 1;
        if (single && (path[i] == kYen || path[i] == '/')) {
            partStart = keep = i + 1;
        } else if (!single || (path[i] != '.' && path[i] != ' ')) {
            keep = i + CharLength(path, i);
        }
    }
    const std::string last = path.substr(partStart);
    return last == "." || last == ".." ? path : path.substr(0, keep);
}

}  // namespace obsc32
