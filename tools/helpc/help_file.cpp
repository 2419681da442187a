#include "helpc/help_file.hpp"

#include <algorithm>
#include <map>
#include <vector>

#include "helpc/btree.hpp"
#include "helpc/bytes.hpp"
#include "helpc/topic_file.hpp"

namespace helpc {

namespace {

constexpr std::uint32_t kMagic = 0x00035F3F;
constexpr std::size_t kFaceField = kMaxFace + 1;

std::string System(const HelpSource& source, std::uint32_t contents) {
    std::string out;
    PutU16(out, 0x036C);
    PutU16(out, 33);  // format 1.33, as Help Workshop 4.0 writes it
    PutU16(out, 1);
    PutU32(out, 0);  // no build date: the same source gives the same file
    PutU16(out, 0);  // no compression: 4 KB topic blocks stored as they are
    auto record = [&out](std::uint16_t type, const std::string& data) {
        PutU16(out, type);
        PutU16(out, static_cast<std::uint32_t>(data.size()));
        out += data;
    };
    std::string title, start, window(90, '\0'), lcid, charset;
    PutZ(title, source.title);
    // The main window, captioned with the title: Wine's viewer, started by WinHelp before it has the file,
    // otherwise keeps the caption it gave its window then.
    window[0] = 0x07;  // type, name and caption given
    window.replace(2, 4, "main");
    window.replace(12, 4, "main");
    const std::size_t caption = std::min(source.title.size(), kMaxHelpTitle);
    window.replace(21, caption, source.title, 0, caption);
    PutU32(start, contents);
    lcid.assign(8, '\0');
    PutU16(lcid, kJapaneseLcid);
    PutU16(charset, kShiftJisCharset);  // the viewer reads the text in code page 932
    record(1, title);
    record(3, start);
    record(6, window);
    record(9, lcid);
    record(11, charset);
    return out;
}

std::string Font(const HelpSource& source) {
    std::string out;
    PutU16(out, 1);  // faces
    PutU16(out, 2);  // descriptors
    PutU16(out, 8);
    PutU16(out, 8 + kFaceField);
    std::string face = source.font;
    face.resize(kFaceField, '\0');
    out += face;
    // Attributes, size in half points, family (swiss), face, colour, unused colour.
    auto descriptor = [&out](std::uint8_t attributes, std::uint8_t halfPoints, std::uint32_t rgb) {
        PutU8(out, attributes);
        PutU8(out, halfPoints);
        PutU8(out, 3);
        PutU16(out, 0);
        PutU8(out, rgb >> 16);
        PutU8(out, rgb >> 8);
        PutU8(out, rgb);
        out.append(3, '\0');
    };
    descriptor(0, 20, 0x000000);  // kBodyFont: 10 points, black
    descriptor(1, 28, 0x000080);  // kHeadingFont: 14 points, bold, navy
    return out;
}

std::string U32(std::uint32_t v) {
    std::string s;
    PutU32(s, v);
    return s;
}

std::string Z(const std::string& s) { return s + '\0'; }

std::string Context(const HelpSource& source, const std::vector<std::uint32_t>& offsets) {
    std::vector<std::pair<std::int32_t, std::uint32_t>> byHash;
    for (std::size_t t = 0; t < source.topics.size(); ++t)
        byHash.emplace_back(static_cast<std::int32_t>(ContextHash(source.topics[t].context)), offsets[t]);
    std::sort(byHash.begin(), byHash.end());  // the viewer compares hashes as signed numbers
    std::vector<BTreeEntry> entries;
    for (const auto& [hash, offset] : byHash)
        entries.push_back({U32(static_cast<std::uint32_t>(hash)), U32(offset)});
    return BuildBTree({2048, "L4", false}, entries).bytes;
}

std::string ContextMap(const HelpSource& source, const std::vector<std::uint32_t>& offsets) {
    std::map<std::uint32_t, std::uint32_t> byMap;
    for (std::size_t t = 0; t < source.topics.size(); ++t)
        if (source.topics[t].hasMap) byMap[source.topics[t].map] = offsets[t];
    std::string out;
    PutU16(out, static_cast<std::uint32_t>(byMap.size()));  // the reader refuses more than kMaxCounted
    for (const auto& [map, offset] : byMap) {
        PutU32(out, map);
        PutU32(out, offset);
    }
    return out;
}

std::string Titles(const HelpSource& source, const std::vector<std::uint32_t>& offsets) {
    std::vector<BTreeEntry> entries;
    for (std::size_t t = 0; t < source.topics.size(); ++t)
        entries.push_back({U32(offsets[t]), Z(source.topics[t].title)});
    return BuildBTree({2048, "Lz", false}, entries).bytes;  // offsets grow with the topics
}

// |KWBTREE (keyword, how many topics, where their offsets start in |KWDATA), |KWDATA and |KWMAP.
void Keywords(const HelpSource& source, const std::vector<std::uint32_t>& offsets,
              std::map<std::string, std::string>& files) {
    std::map<std::string, std::vector<std::uint32_t>> topics;  // in byte order
    for (std::size_t t = 0; t < source.topics.size(); ++t)
        for (const std::string& k : source.topics[t].keywords) topics[k].push_back(offsets[t]);
    std::vector<BTreeEntry> entries;
    std::string data;
    for (const auto& [word, at] : topics) {
        std::string value;
        PutU16(value, static_cast<std::uint32_t>(at.size()));  // at most kMaxCounted, as for |CTXOMAP
        PutU32(value, static_cast<std::uint32_t>(data.size()));
        entries.push_back({Z(word), value});
        for (std::uint32_t offset : at) PutU32(data, offset);
    }
    const BTree tree = BuildBTree({2048, "F24", false}, entries);
    std::string map;
    for (std::size_t i = 0; i < tree.leafPages.size(); ++i) {
        PutU32(map, tree.leafFirstEntries[i]);
        PutU16(map, tree.leafPages[i]);
    }
    files["|KWBTREE"] = tree.bytes;
    files["|KWDATA"] = data;
    files["|KWMAP"] = map;
}

void PutInternalFile(std::string& out, const std::string& content) {
    PutU32(out, static_cast<std::uint32_t>(content.size() + 9));  // reserved, header included
    PutU32(out, static_cast<std::uint32_t>(content.size()));
    PutU8(out, 4);
    out += content;
}

}  // namespace

std::string BuildHelpFile(const HelpSource& source) {
    const TopicFile topic = BuildTopicFile(source);
    std::map<std::string, std::string> files;  // in byte order of their names, as the directory wants them
    files["|SYSTEM"] = System(source, topic.offsets[0]);
    files["|FONT"] = Font(source);
    files["|TOPIC"] = topic.bytes;
    files["|CONTEXT"] = Context(source, topic.offsets);
    files["|CTXOMAP"] = ContextMap(source, topic.offsets);
    files["|TTLBTREE"] = Titles(source, topic.offsets);
    Keywords(source, topic.offsets, files);

    std::string out(16, '\0');
    std::vector<BTreeEntry> directory;
    for (const auto& [name, content] : files) {
        directory.push_back({Z(name), U32(static_cast<std::uint32_t>(out.size()))});
        PutInternalFile(out, content);
    }
    const std::uint32_t directoryAt = static_cast<std::uint32_t>(out.size());
    PutInternalFile(out, BuildBTree({1024, "z4", true}, directory).bytes);
    std::string header;
    PutU32(header, kMagic);
    PutU32(header, directoryAt);
    PutU32(header, 0xFFFFFFFF);  // no free blocks
    PutU32(header, static_cast<std::uint32_t>(out.size()));
    out.replace(0, header.size(), header);
    return out;
}

}  // namespace helpc
