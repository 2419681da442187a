#include "helpc/btree.hpp"

#include "helpc/bytes.hpp"
#include "helpc/help_source.hpp"

namespace helpc {

namespace {

constexpr std::size_t kLeafHeader = 8;   // free bytes, entries, previous page, next page
constexpr std::size_t kIndexHeader = 6;  // free bytes, entries, first child page
constexpr std::uint16_t kNoPage = 0xFFFF;

struct Page {
    std::string body;
    int entries = 0;
};

// A node of the level being built: its page and the smallest key below it.
struct Node {
    std::uint16_t page;
    std::string firstKey;
};

// The page with its header: free bytes at its end, its entries, then the page links `links`.
std::string Finish(const std::string& links, const Page& p, std::size_t pageSize) {
    std::string out;
    PutU16(out, static_cast<std::uint32_t>(pageSize - 4 - links.size() - p.body.size()));
    PutU16(out, static_cast<std::uint32_t>(p.entries));
    out += links;
    out += p.body;
    out.resize(pageSize, '\0');
    return out;
}

}  // namespace

BTree BuildBTree(const BTreeKind& kind, const std::vector<BTreeEntry>& entries) {
    const std::size_t size = kind.pageSize;
    BTree tree;
    std::vector<std::string> pages;
    std::vector<Node> level;

    // Leaves, filled in order; each knows its neighbours once all are laid out.
    std::vector<Page> leaves(1);
    std::vector<std::uint32_t> firsts{0};
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        const std::size_t need = entries[i].key.size() + entries[i].value.size();
        if (kLeafHeader + need > size)
            throw HelpError(0, "an index entry of " + std::to_string(need) + " bytes does not fit a " +
                                   std::to_string(size) + "-byte page");
        if (kLeafHeader + leaves.back().body.size() + need > size) {
            leaves.emplace_back();
            firsts.push_back(i);
        }
        leaves.back().body += entries[i].key + entries[i].value;
        leaves.back().entries++;
    }
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        std::string links;
        PutU16(links, i == 0 ? kNoPage : static_cast<std::uint32_t>(i - 1));
        PutU16(links, i + 1 == leaves.size() ? kNoPage : static_cast<std::uint32_t>(i + 1));
        pages.push_back(Finish(links, leaves[i], size));
        level.push_back({static_cast<std::uint16_t>(i), entries.empty() ? "" : entries[firsts[i]].key});
        tree.leafPages.push_back(static_cast<std::uint16_t>(i));
    }
    tree.leafFirstEntries = firsts;

    // Index levels until one page leads to all: each page starts at a child without its key, and names
    // every further child by the smallest key below it.
    int levels = 1;
    while (level.size() > 1) {
        std::vector<Node> above;
        std::size_t i = 0;
        while (i < level.size()) {
            Page p;
            std::string first;
            PutU16(first, level[i].page);
            const Node start = level[i++];
            while (i < level.size() && kIndexHeader + p.body.size() + level[i].firstKey.size() + 2 <= size) {
                p.body += level[i].firstKey;
                PutU16(p.body, level[i].page);
                p.entries++;
                ++i;
            }
            if (p.entries == 0 && i < level.size())
                throw HelpError(0, "an index key does not fit a " + std::to_string(size) + "-byte page");
            above.push_back({static_cast<std::uint16_t>(pages.size()), start.firstKey});
            pages.push_back(Finish(first, p, size));
        }
        level = above;
        ++levels;
    }
    if (pages.size() > 0x7FFF) throw HelpError(0, "an index needs more pages than WinHelp can number");

    std::string& out = tree.bytes;
    PutU16(out, 0x293B);
    PutU16(out, 0x0002 | (kind.directory ? 0x0400 : 0));
    PutU16(out, kind.pageSize);
    std::string structure = kind.structure;
    structure.resize(16, '\0');
    out += structure;
    PutU16(out, 0);              // must be zero
    PutU16(out, 0);              // page splits
    PutU16(out, level[0].page);  // root
    PutU16(out, 0xFFFF);
    PutU16(out, static_cast<std::uint32_t>(pages.size()));
    PutU16(out, static_cast<std::uint32_t>(levels));
    PutU32(out, static_cast<std::uint32_t>(entries.size()));
    for (const std::string& p : pages) out += p;
    return tree;
}

}  // namespace helpc
