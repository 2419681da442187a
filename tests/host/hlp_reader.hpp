// A small reader of WinHelp files, written from the format notes apart from the help compiler, so the tests
// read back what the compiler wrote instead of trusting its own structures. Throws std::runtime_error on
// anything out of place.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace hlp_reader {

std::uint16_t U16(const std::string& b, std::size_t at);
std::uint32_t U32(const std::string& b, std::size_t at);
// A NUL-terminated string at `at` (the NUL must be there).
std::string Z(const std::string& b, std::size_t at);

// WinHelp's hash of a context name.
std::uint32_t Hash(const std::string& context);

// How a tree's entries are laid out: a key of 4 bytes or a string, then a value of fixed size or a string.
struct Layout {
    bool stringKey;
    bool stringValue;
    std::size_t valueSize;
};

struct BTreeInfo {
    int levels = 0;
    int pages = 0;
    int leaves = 0;
};

// Every leaf entry (key, value) in order, walking down the first children to the first leaf and along the
// leaf chain; checks each page's entry count and free space.
std::vector<std::pair<std::string, std::string>> Leaves(const std::string& tree, const Layout& layout,
                                                        BTreeInfo* info = nullptr);
// The value of `key` found by descending from the root the way a viewer looks it up, or "" (with found
// false). `less` orders keys as the tree does.
std::string Find(const std::string& tree, const Layout& layout, const std::string& key,
                 bool (*less)(const std::string&, const std::string&), bool* found);

class HelpFile {
public:
    explicit HelpFile(std::string image);
    // Directory entries (name, offset of the file header) in tree order.
    const std::vector<std::pair<std::string, std::uint32_t>>& Directory() const { return directory_; }
    // An internal file's content, behind its 9-byte header.
    std::string Internal(const std::string& name) const;

private:
    std::string image_;
    std::vector<std::pair<std::string, std::uint32_t>> directory_;
};

// |SYSTEM: its header fields and records by type.
struct System {
    std::uint16_t magic = 0, minor = 0, major = 0, flags = 0;
    std::map<std::uint16_t, std::string> records;
};
System ReadSystem(const std::string& system);

struct Jump {
    std::uint32_t hash;
    std::string text;
};

struct Topic {
    std::uint32_t pos = 0;     // TOPICPOS of its header
    std::uint32_t offset = 0;  // TOPICOFFSET: block * 0x8000 + characters before it in the block
    std::uint32_t number = 0;
    std::string title;
    std::vector<std::string> paragraphs;  // the text shown, one string per paragraph, heading first
    std::vector<Jump> jumps;
};

struct TopicWalk {
    std::vector<Topic> topics;
    int blocks = 0;
};

// Follows the record chain from the first block's first record, checking each block header and topic header.
TopicWalk ReadTopics(const std::string& topic);

}  // namespace hlp_reader
