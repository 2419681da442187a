// WinHelp's B+ trees: the file directory and every index of a help file. Leaf pages hold whole entries in
// key order and link to their neighbours; above them, index pages lead from a key to the page holding it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace helpc {

struct BTreeEntry {
    std::string key;    // as index pages repeat it: the leading part of the leaf entry
    std::string value;  // the rest of the leaf entry
};

struct BTreeKind {
    std::uint16_t pageSize;
    const char* structure;  // the letters that describe an entry, e.g. "z4"
    bool directory;
};

struct BTree {
    std::string bytes;  // header and pages, the internal file's content
    // Per leaf page, its number and the index of its first entry (|KWMAP lists them).
    std::vector<std::uint16_t> leafPages;
    std::vector<std::uint32_t> leafFirstEntries;
};

// Builds the tree of the entries, which must come in key order. Throws HelpError when an entry is larger
// than a page can hold.
BTree BuildBTree(const BTreeKind& kind, const std::vector<BTreeEntry>& entries);

}  // namespace helpc
