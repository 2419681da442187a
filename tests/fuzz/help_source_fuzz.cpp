// libFuzzer target: any bytes as a help source either become a help file or are refused with a message
// naming a line of the text; nothing reads outside its buffers and nothing else is thrown. A file it writes is
// read back by the tests' own reader (tests/host/hlp_reader), which must find every topic with its title,
// text and jumps, every context, map number, title and keyword where the source put them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "fuzz_input.hpp"
#include "helpc/help_file.hpp"
#include "helpc/help_source.hpp"
#include "helpc/html_help.hpp"
#include "host/hlp_reader.hpp"

namespace r = hlp_reader;

namespace {

std::string Le32(std::uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}
bool SignedLess(const std::string& a, const std::string& b) {
    return static_cast<std::int32_t>(r::U32(a, 0)) < static_cast<std::int32_t>(r::U32(b, 0));
}

void CheckReadBack(const helpc::HelpSource& source, const std::string& image) {
    const r::HelpFile f(image);
    const std::vector<helpc::Topic>& topics = source.topics;
    const r::TopicWalk walk = r::ReadTopics(f.Internal("|TOPIC"));
    FUZZ_CHECK(walk.topics.size() == topics.size());
    const std::string titles = f.Internal("|TTLBTREE"), contexts = f.Internal("|CONTEXT");
    const auto titleLeaves = r::Leaves(titles, {false, true, 0});
    FUZZ_CHECK(titleLeaves.size() == topics.size());
    std::map<std::uint32_t, std::uint32_t> maps;  // map number -> offset
    std::map<std::string, std::vector<std::uint32_t>> keywords;
    for (std::size_t t = 0; t < topics.size(); ++t) {
        const helpc::Topic& want = topics[t];
        const r::Topic& got = walk.topics[t];
        FUZZ_CHECK(got.number == t && got.title == want.title);
        // The heading and the blank line under it, then each paragraph's text with its links' words.
        std::vector<std::string> text{want.title, ""};
        std::vector<std::string> jumps;
        for (const helpc::Paragraph& p : want.body) {
            text.emplace_back();
            for (const helpc::Span& s : p.spans) {
                text.back() += s.text;
                if (!s.target.empty()) jumps.push_back(Le32(r::Hash(s.target)) + s.text);
            }
        }
        FUZZ_CHECK(got.paragraphs == text && got.jumps.size() == jumps.size());
        for (std::size_t j = 0; j < jumps.size(); ++j)
            FUZZ_CHECK(Le32(got.jumps[j].hash) + got.jumps[j].text == jumps[j]);
        FUZZ_CHECK(titleLeaves[t] == std::make_pair(Le32(got.offset), want.title));
        bool found = false;
        FUZZ_CHECK(r::Find(contexts, {false, false, 4}, Le32(r::Hash(want.context)), SignedLess, &found) ==
                       Le32(got.offset) &&
                   found);
        if (want.hasMap) maps[want.map] = got.offset;
        for (const std::string& k : want.keywords) keywords[k].push_back(got.offset);
    }
    FUZZ_CHECK(r::ReadSystem(f.Internal("|SYSTEM")).records.at(1) == source.title + '\0');
    const std::string map = f.Internal("|CTXOMAP");
    FUZZ_CHECK(r::U16(map, 0) == maps.size() && map.size() == 2 + 8 * maps.size());
    std::size_t at = 2;
    for (const auto& [number, offset] : maps) {
        FUZZ_CHECK(r::U32(map, at) == number && r::U32(map, at + 4) == offset);
        at += 8;
    }
    // Keywords in byte order, each with its topics in the order of the source.
    const auto words = r::Leaves(f.Internal("|KWBTREE"), {true, false, 6});
    const std::string data = f.Internal("|KWDATA");
    FUZZ_CHECK(words.size() == keywords.size());
    auto want = keywords.begin();
    for (const auto& [word, value] : words) {
        FUZZ_CHECK(word == want->first && r::U16(value, 0) == want->second.size());
        for (std::size_t i = 0; i < want->second.size(); ++i)
            FUZZ_CHECK(r::U32(data, r::U32(value, 2) + 4 * i) == want->second[i]);
        ++want;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
    helpc::HelpSource source;
    std::string image;
    try {
        source = helpc::ParseHelpSource(text);
        image = helpc::BuildHelpFile(source);
    } catch (const helpc::HelpError& e) {
        FUZZ_CHECK(e.Line() >= 0 && e.Line() <= lines);
        return 0;
    }
    try {
        CheckReadBack(source, image);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "the reader refused the file: %s\n", e.what());
        std::abort();
    }
    // The same source as HTML (unless the host cannot convert its text): every topic under its own anchor.
    std::string html;
    try {
        html = helpc::BuildHtmlHelp(source);
    } catch (const helpc::HelpError& e) {
        FUZZ_CHECK(e.Line() == 0);
        return 0;
    }
    for (const helpc::Topic& t : source.topics)
        FUZZ_CHECK(html.find("<section id=\"" + t.context + "\">") != std::string::npos);
    return 0;
}
