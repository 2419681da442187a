#include "shell/sjis_path.hpp"

#include <cstddef>

namespace obsc32 {

namespace {

constexpr char kYen = '\\';
constexpr char kQuote = '"';

bool IsLeadAt(const std::string& text, std::size_t index) {
    return IsLeadByte(static_cast<unsigned char>(text[index]));
}

// Lead bytes in an unbroken run that ends at index end - 1. A byte that is not a lead byte always
// closes a character, so only the parity of this run decides how the bytes after it pair up.
std::size_t LeadRunBefore(const std::string& text, std::size_t end) {
    std::size_t count = 0;
    while (end > 0 && IsLeadAt(text, end - 1)) {
        ++count;
        --end;
    }
    return count;
}

// Whether the final byte, known to be 0x5C, is a separator rather than the tail of a character.
// Only called for texts longer than 3 bytes.
bool EndsInRealYen(const std::string& path) {
    std::size_t last = path.size() - 1;
    if (!IsLeadAt(path, last - 1)) {
        return true;
    }
    return LeadRunBefore(path, last) % 2 == 0;
}

}  // namespace

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::string YenAdd(std::string path) {
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
    std::size_t count = static_cast<std::size_t>(n);
    if (count >= text.size()) {
        return text;
    }
    text.resize(count);
    // An odd run means the last byte starts a character whose second half was cut off.
    if (LeadRunBefore(text, count) % 2 == 1) {
        text.pop_back();
    }
    return text;
}

std::string SjisCase(std::string text, bool toLower) {
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (IsLeadAt(text, i)) {
            // The second byte may look like a letter; a lead byte at the very end has none.
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
        if (IsLeadAt(path, i)) {
            // Taking both bytes keeps a 0x5C second byte from being read as a separator.
            std::size_t take = (i + 1 < path.size()) ? 2 : 1;
            segment.append(path, i, take);
            i += take;
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
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLeadAt(path, i)) {
            ++i;
        } else if (path[i] == kYen || path[i] == '/' || path[i] == ':') {
            start = i + 1;
        }
    }
    return start;
}
}  // namespace

std::string FileNamePart(const std::string& path) { return path.substr(NameStart(path)); }

std::string FolderPart(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string DropTrailingDotsAndBlanks(const std::string& path) {
    // Neither byte can be the second half of a character, so the bytes can be looked at one by one.
    std::string out;
    std::size_t partStart = 0;
    auto closePart = [&] {
        const std::string part = out.substr(partStart);
        if (part == "." || part == "..") return;
        while (out.size() > partStart && (out.back() == '.' || out.back() == ' ')) out.pop_back();
    };
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            out += path[i];
            out += path[++i];
            continue;
        }
        if (path[i] == kYen || path[i] == '/') {
            closePart();
            out += path[i];
            partStart = out.size();
            continue;
        }
        out += path[i];
    }
    closePart();
    return out;
}

}  // namespace obsc32
