#include "host/hlp_reader.hpp"

#include <algorithm>
#include <stdexcept>

namespace hlp_reader {

namespace {

void Need(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error(what);
}

constexpr std::size_t kTreeHeader = 38;
constexpr std::uint32_t kNil = 0xFFFFFFFF;
constexpr std::size_t kBlock = 4096, kBlockData = kBlock - 12;

// One entry at `at`: key and value, and where the next starts.
std::size_t Entry(const std::string& b, std::size_t at, const Layout& l, std::string& key,
                  std::string* value) {
    key = l.stringKey ? Z(b, at) : b.substr(at, 4);
    at += l.stringKey ? key.size() + 1 : 4;
    if (!value) return at;
    Need(at < b.size(), "entry past the page");
    *value = l.stringValue ? Z(b, at) : b.substr(at, l.valueSize);
    return at + (l.stringValue ? value->size() + 1 : l.valueSize);
}

}  // namespace

std::uint16_t U16(const std::string& b, std::size_t at) {
    Need(at + 2 <= b.size(), "read past the end");
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}

std::uint32_t U32(const std::string& b, std::size_t at) {
    return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}

std::string Z(const std::string& b, std::size_t at) {
    const std::size_t end = b.find('\0', at);
    Need(at <= b.size() && end != std::string::npos, "string without its NUL");
    return b.substr(at, end - at);
}

std::uint32_t Hash(const std::string& context) {
    std::uint32_t h = 0;
    for (char c : context) {
        int x = 0;
        if (c >= '1' && c <= '9') x = c - '0';
        if (c == '0') x = 10;
        if (c == '.') x = 12;
        if (c == '_') x = 13;
        if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') x = (c | 0x20) - 'a' + 17;
        h = h * 43 + static_cast<std::uint32_t>(x);
    }
    return h;
}

std::vector<std::pair<std::string, std::string>> Leaves(const std::string& tree, const Layout& l,
                                                        BTreeInfo* info) {
    Need(U16(tree, 0) == 0x293B, "not a B+ tree");
    const std::size_t size = U16(tree, 4);
    BTreeInfo i{U16(tree, 32), U16(tree, 30), 0};
    auto page = [&](std::uint32_t n) {
        Need(n < static_cast<std::uint32_t>(i.pages), "page number past the tree");
        return kTreeHeader + n * size;
    };
    std::uint32_t n = U16(tree, 26);
    for (int level = 1; level < i.levels; ++level) n = U16(tree, page(n) + 4);
    std::vector<std::pair<std::string, std::string>> out;
    std::uint32_t previous = 0xFFFF;
    while (n != 0xFFFF) {
        const std::size_t p = page(n);
        Need(p + size <= tree.size(), "page past the file");
        Need(U16(tree, p + 4) == previous, "leaf chain broken");
        std::size_t at = p + 8;
        for (int e = 0; e < static_cast<std::int16_t>(U16(tree, p + 2)); ++e) {
            std::string key, value;
            at = Entry(tree, at, l, key, &value);
            out.emplace_back(key, value);
        }
        Need(at + U16(tree, p) == p + size, "free space does not match the entries");
        previous = n;
        n = U16(tree, p + 6);
        ++i.leaves;
    }
    Need(out.size() == U32(tree, 34), "entry count does not match the header");
    if (info) *info = i;
    return out;
}

std::string Find(const std::string& tree, const Layout& l, const std::string& key,
                 bool (*less)(const std::string&, const std::string&), bool* found) {
    const std::size_t size = U16(tree, 4);
    std::uint32_t n = U16(tree, 26);
    for (int level = 1; level < U16(tree, 32); ++level) {
        const std::size_t p = kTreeHeader + n * size;
        std::uint32_t child = U16(tree, p + 4);
        std::size_t at = p + 6;
        for (int e = 0; e < U16(tree, p + 2); ++e) {
            std::string k;
            at = Entry(tree, at, l, k, nullptr);
            if (less(key, k)) break;
            child = U16(tree, at);
            at += 2;
        }
        n = child;
    }
    const std::size_t p = kTreeHeader + n * size;
    std::size_t at = p + 8;
    for (int e = 0; e < U16(tree, p + 2); ++e) {
        std::string k, value;
        at = Entry(tree, at, l, k, &value);
        if (k == key) return *found = true, value;
    }
    *found = false;
    return {};
}

HelpFile::HelpFile(std::string image) : image_(std::move(image)) {
    Need(U32(image_, 0) == 0x00035F3F, "not a help file");
    Need(U32(image_, 12) == image_.size(), "file size in the header is wrong");
    const std::uint32_t start = U32(image_, 4);
    Need(start + 9 <= image_.size() && U32(image_, start) >= U32(image_, start + 4) + 9,
         "bad directory header");
    for (auto& [name, value] : Leaves(image_.substr(start + 9, U32(image_, start + 4)), {true, false, 4}))
        directory_.emplace_back(name, U32(value, 0));
    // Every named file starts with a header whose space lies in the file and meets no other file's.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> spans{{start, start + U32(image_, start)}};
    for (const auto& [name, at] : directory_) {
        Need(at >= 16 && at + 9 <= image_.size(), name + ": offset outside the file");
        Need(U32(image_, at) >= U32(image_, at + 4) + 9 && image_[at + 8] == 4, name + ": not a file header");
        spans.emplace_back(at, at + U32(image_, at));
    }
    std::sort(spans.begin(), spans.end());
    for (std::size_t i = 0; i < spans.size(); ++i)
        Need(spans[i].second <= (i + 1 < spans.size() ? spans[i + 1].first : image_.size()), "files overlap");
}

std::string HelpFile::Internal(const std::string& name) const {
    for (const auto& [n, at] : directory_)
        if (n == name) return image_.substr(at + 9, U32(image_, at + 4));
    throw std::runtime_error(name + " is not in the directory");
}

System ReadSystem(const std::string& s) {
    System out{U16(s, 0), U16(s, 2), U16(s, 4), U16(s, 10), {}};
    for (std::size_t at = 12; at < s.size(); at += 4 + U16(s, at + 2)) {
        Need(at + 4 + U16(s, at + 2) <= s.size(), "record past the file");
        out.records[U16(s, at)] = s.substr(at + 4, U16(s, at + 2));
    }
    return out;
}

TopicWalk ReadTopics(const std::string& t) {
    Need(!t.empty() && t.size() % kBlock == 0, "|TOPIC is not whole 4 KB blocks");
    TopicWalk walk;
    walk.blocks = static_cast<int>(t.size() / kBlock);
    std::uint32_t pos = U32(t, 4), previous = kNil, lastHeader = kNil, chars = 0, nextTopic = 0;
    int block = -1;
    while (pos != kNil) {
        const std::uint32_t b = (pos - 12) >> 14, off = (pos - 12) & 0x3FFF;
        Need(pos >= 12 && b < static_cast<std::uint32_t>(walk.blocks) && off < kBlockData,
             "TOPICPOS out of range");
        const std::size_t a = b * kBlock + 12 + off;
        const std::uint32_t size = U32(t, a), len1 = U32(t, a + 16);
        const std::uint8_t type = static_cast<std::uint8_t>(t[a + 20]);
        if (type == 2) lastHeader = pos;
        if (static_cast<int>(b) != block) {
            Need(U32(t, b * kBlock) == previous && U32(t, b * kBlock + 4) == pos &&
                     U32(t, b * kBlock + 8) == lastHeader,
                 "block header does not match its records");
            block = static_cast<int>(b);
            chars = 0;
        }
        Need(off + size <= kBlockData && len1 >= 21 && len1 <= size, "record does not fit its block");
        Need(U32(t, a + 8) == previous, "chain's previous link is wrong");
        const std::string d1 = t.substr(a + 21, len1 - 21), d2 = t.substr(a + len1, size - len1);
        Need(U32(t, a + 4) == d2.size(), "text length is wrong");
        if (type == 2) {
            Need(nextTopic == 0 || nextTopic == pos, "previous topic's next-topic is wrong");
            Need(U32(d1, 20) == U32(t, a + 12), "scrolling region does not start after the header");
            nextTopic = U32(d1, 24);
            walk.topics.push_back({pos, b * 0x8000 + chars, U32(d1, 12), Z(d2, 0), {}, {}});
        } else {
            Need(type == 0x20 && !walk.topics.empty(), "unknown record or text before any topic");
            Topic& topic = walk.topics.back();
            std::size_t at = (d1[0] & 1) ? 4 : 2;
            chars += (d1[at] & 1) ? U16(d1, at) / 2 : static_cast<unsigned char>(d1[at]) / 2;
            at += (d1[at] & 1) ? 2 : 1;
            Need(U16(d1, at + 4) == 0, "paragraph options this reader does not know");
            at += 6;
            std::string paragraph;
            std::size_t text = 0;
            while (true) {
                const std::string piece = Z(d2, text);
                text += piece.size() + 1;
                paragraph += piece;
                const auto command = static_cast<unsigned char>(d1.at(at));
                if (command == 0xFF) break;
                if (command == 0x80)
                    at += 3;
                else if (command == 0x89)
                    at += 1;
                else if (command == 0x82)
                    topic.paragraphs.push_back(paragraph), paragraph.clear(), at += 1;
                else if (command == 0xE3)
                    topic.jumps.push_back({U32(d1, at + 1), Z(d2, text)}), at += 5;
                else
                    throw std::runtime_error("unknown text command");
            }
            Need(paragraph.empty() && text == d2.size(), "text left over after the record");
        }
        previous = pos;
        pos = U32(t, a + 12);
    }
    Need(nextTopic == kNil, "last topic's next-topic is not the end");
    return walk;
}

}  // namespace hlp_reader
