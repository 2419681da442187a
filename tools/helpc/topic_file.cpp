#include "helpc/topic_file.hpp"

#include <string_view>

#include "helpc/bytes.hpp"

namespace helpc {

namespace {

constexpr std::uint32_t kBlockHeader = 12;
constexpr std::uint32_t kBlockData = kTopicBlockSize - kBlockHeader;
constexpr std::uint32_t kLinkHeader = 21;
constexpr std::uint32_t kNil = 0xFFFFFFFF;
constexpr std::uint8_t kTopicHeaderRecord = 0x02;
constexpr std::uint8_t kTextRecord = 0x20;

// One record of the chain, and where it lands.
struct Link {
    int line = 0;
    int topic = 0;
    std::uint8_t type = 0;
    std::string data1;  // after the link header
    std::string data2;
    std::uint32_t block = 0, at = 0;  // block, and offset in the block's data

    std::uint32_t Size() const {
        return kLinkHeader + static_cast<std::uint32_t>(data1.size() + data2.size());
    }
    // TOPICPOS: the block in the high bits, the offset behind the block header in the low 14.
    std::uint32_t Pos() const { return block * 0x4000 + kBlockHeader + at; }
};

std::string Font(int font) {
    std::string c = "\x80";
    PutU16(c, static_cast<std::uint32_t>(font));
    return c;
}

// A display-text record: each string is shown, then the command after it runs; 0xFF ends the record.
class TextRecord {
public:
    void Add(std::string_view text, std::string_view command) {
        strings_ += text;
        strings_ += '\0';
        commands_ += command;
    }
    Link Finish(int line, int topic) {
        Add("", "\xFF");
        Link l;
        l.line = line;
        l.topic = topic;
        l.type = kTextRecord;
        const auto length = static_cast<std::int32_t>(strings_.size());
        PutCompressedLong(l.data1, length);
        PutCompressedU16(l.data1, static_cast<std::uint32_t>(length));  // characters it counts for offsets
        l.data1 += std::string("\x00\x80\x00\x00\x00\x00", 6);          // paragraph: default format
        l.data1 += commands_;
        l.data2 = strings_;
        return l;
    }

private:
    std::string strings_, commands_;
};

Link Heading(const Topic& t, int index) {
    TextRecord r;
    r.Add("", Font(kHeadingFont));
    r.Add(t.title, "\x82");
    r.Add("", Font(kBodyFont));
    r.Add("", "\x82");  // a blank line under the heading
    return r.Finish(t.line, index);
}

Link Body(const Paragraph& p, int index) {
    TextRecord r;
    r.Add("", Font(kBodyFont));
    std::string pending;
    for (const Span& s : p.spans) {
        if (s.target.empty()) {
            pending += s.text;
            continue;
        }
        std::string jump = "\xE3";  // a jump to a topic of this file, green and underlined
        PutU32(jump, ContextHash(s.target));
        r.Add(pending, jump);
        r.Add(s.text, "\x89");  // end of the hotspot
        pending.clear();
    }
    r.Add(pending, "\x82");
    return r.Finish(p.line, index);
}

}  // namespace

TopicFile BuildTopicFile(const HelpSource& source) {
    std::vector<Link> links;
    std::vector<std::size_t> headers;  // index in links of each topic's header
    for (std::size_t t = 0; t < source.topics.size(); ++t) {
        const Topic& topic = source.topics[t];
        Link h;
        h.line = topic.line;
        h.topic = static_cast<int>(t);
        h.type = kTopicHeaderRecord;
        h.data1.assign(28, '\0');  // filled once every record has its place
        PutZ(h.data2, topic.title);
        headers.push_back(links.size());
        links.push_back(h);
        links.push_back(Heading(topic, static_cast<int>(t)));
        for (const Paragraph& p : topic.body) links.push_back(Body(p, static_cast<int>(t)));
    }

    // Records never straddle blocks: one that does not fit starts the next block.
    TopicFile out;
    std::uint32_t block = 0, used = 0, chars = 0;
    for (Link& l : links) {
        if (l.Size() > kBlockData)
            throw HelpError(l.line, "the paragraph takes " + std::to_string(l.Size()) +
                                        " bytes; a topic block holds " + std::to_string(kBlockData));
        if (used + l.Size() > kBlockData) {
            if (++block == 0x10000)
                throw HelpError(l.line, "the help needs more topic blocks than it can number");
            used = chars = 0;
        }
        l.block = block;
        l.at = used;
        used += l.Size();
        // TOPICOFFSET: the block in the high bits, the characters before it in its block in the low 15.
        if (l.type == kTopicHeaderRecord) out.offsets.push_back(block * 0x8000 + chars);
        if (l.type == kTextRecord) chars += static_cast<std::uint32_t>(l.data2.size());
    }

    for (std::size_t t = 0; t < headers.size(); ++t) {
        const std::size_t first = headers[t], end = t + 1 < headers.size() ? headers[t + 1] : links.size();
        std::uint32_t size = 0;
        for (std::size_t i = first; i < end; ++i) size += links[i].Size();
        std::string& h = links[first].data1;
        h.clear();
        PutU32(h, size);
        PutU32(h, kNil);  // no browse sequence
        PutU32(h, kNil);
        PutU32(h, static_cast<std::uint32_t>(t));
        PutU32(h, kNil);  // no non-scrolling region
        PutU32(h, links[first + 1].Pos());
        PutU32(h, end < links.size() ? links[end].Pos() : kNil);
    }

    out.bytes.assign((block + 1) * kTopicBlockSize, '\0');
    std::size_t header = 0;
    for (std::size_t i = 0; i < links.size(); ++i) {
        const Link& l = links[i];
        if (i == 0 || l.block != links[i - 1].block) {
            while (header + 1 < headers.size() && headers[header + 1] <= i) ++header;
            std::string h;
            PutU32(h, i == 0 ? kNil : links[i - 1].Pos());  // last record of the block before
            PutU32(h, l.Pos());                             // first record of this block
            PutU32(h, links[headers[header]].Pos());        // the topic header in force here
            out.bytes.replace(l.block * kTopicBlockSize, h.size(), h);
        }
        std::string r;
        PutU32(r, l.Size());
        PutU32(r, static_cast<std::uint32_t>(l.data2.size()));
        PutU32(r, i == 0 ? kNil : links[i - 1].Pos());
        PutU32(r, i + 1 < links.size() ? links[i + 1].Pos() : kNil);
        PutU32(r, kLinkHeader + static_cast<std::uint32_t>(l.data1.size()));
        PutU8(r, l.type);
        r += l.data1;
        r += l.data2;
        out.bytes.replace(l.block * kTopicBlockSize + kBlockHeader + l.at, r.size(), r);
    }
    return out;
}

}  // namespace helpc
