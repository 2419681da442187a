// The help file as the compiler writes it, read back by a reader of our own that knows nothing of the
// compiler's structures: the directory, |SYSTEM, the topics and their jumps, and every index.
#include "helpc/help_file.hpp"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "helpc/btree.hpp"
#include "helpc/help_source.hpp"
#include "host/hlp_reader.hpp"

namespace r = hlp_reader;

namespace {

std::string Le32(std::uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

bool BytesLess(const std::string& a, const std::string& b) { return a < b; }
bool SignedLess(const std::string& a, const std::string& b) {
    return static_cast<std::int32_t>(r::U32(a, 0)) < static_cast<std::int32_t>(r::U32(b, 0));
}

const r::Layout kKeywords{true, false, 6}, kContext{false, false, 4}, kTitles{false, true, 0};

// The title of the topic at a TOPICOFFSET, or "" when none starts there.
std::string TitleAt(const r::TopicWalk& walk, std::uint32_t offset) {
    for (const r::Topic& t : walk.topics)
        if (t.offset == offset) return t.title;
    return {};
}

// The titles of the topics a keyword leads to, through |KWBTREE and |KWDATA.
std::vector<std::string> KeywordTopics(const r::HelpFile& f, const r::TopicWalk& walk,
                                       const std::string& word) {
    bool found = false;
    const std::string v = r::Find(f.Internal("|KWBTREE"), kKeywords, word, BytesLess, &found);
    std::vector<std::string> titles;
    const std::string data = f.Internal("|KWDATA");
    for (int i = 0; found && i < r::U16(v, 0); ++i)
        titles.push_back(TitleAt(walk, r::U32(data, r::U32(v, 2) + 4 * i)));
    return titles;
}

// The title of the topic a context hash leads to through |CONTEXT.
std::string ContextTopic(const r::HelpFile& f, const r::TopicWalk& walk, std::uint32_t hash) {
    bool found = false;
    const std::string v = r::Find(f.Internal("|CONTEXT"), kContext, Le32(hash), SignedLess, &found);
    return found ? TitleAt(walk, r::U32(v, 0)) : "(none)";
}

}  // namespace

TEST(HelpFile, ReadBackByAnIndependentReader) {
    const std::string source =
        ".help 表示のヘルプ\n.font ＭＳ ゴシック\n"
        ".topic contents 1\n.title 目次\n.keywords 目次;ボタン\n"
        "{ソフトの表示|display}と{マウス|MOUSE_2}\n"
        ".topic display 20\n.title ソフトの表示\n.keywords 表示;ボタン\n"
        "ソ表能\n\n{目次へ|contents}\n"
        ".topic mouse_2\n.title マウス\n.keywords BMP\n右クリック\n";
    const r::HelpFile f(helpc::BuildHelpFile(helpc::ParseHelpSource(source)));

    std::vector<std::string> names;
    for (const auto& entry : f.Directory()) names.push_back(entry.first);
    EXPECT_EQ(names, (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|KWBTREE", "|KWDATA",
                                               "|KWMAP", "|SYSTEM", "|TOPIC", "|TTLBTREE"}));

    const r::TopicWalk walk = r::ReadTopics(f.Internal("|TOPIC"));
    ASSERT_EQ(walk.topics.size(), 3u);
    EXPECT_EQ(walk.topics[0].title, "目次");
    EXPECT_EQ(walk.topics[2].number, 2u);
    EXPECT_EQ(walk.topics[1].paragraphs,
              (std::vector<std::string>{"ソフトの表示", "", "ソ表能", "", "目次へ"}));
    ASSERT_EQ(walk.topics[0].jumps.size(), 2u);
    EXPECT_EQ(walk.topics[0].jumps[1].text, "マウス");

    // Every jump leads through |CONTEXT to the topic its text names; names fold case as WinHelp's do.
    EXPECT_EQ(ContextTopic(f, walk, walk.topics[0].jumps[0].hash), "ソフトの表示");
    EXPECT_EQ(ContextTopic(f, walk, walk.topics[0].jumps[1].hash), "マウス");
    EXPECT_EQ(ContextTopic(f, walk, walk.topics[1].jumps.at(0).hash), "目次");
    EXPECT_EQ(ContextTopic(f, walk, r::Hash("Contents")), "目次");
    EXPECT_EQ(ContextTopic(f, walk, r::Hash("mouse_2")), "マウス");
    const auto context = r::Leaves(f.Internal("|CONTEXT"), kContext);
    EXPECT_EQ(context.size(), 3u);
    EXPECT_TRUE(std::is_sorted(context.begin(), context.end(),
                               [](const auto& a, const auto& b) { return SignedLess(a.first, b.first); }));

    const r::System sys = r::ReadSystem(f.Internal("|SYSTEM"));
    EXPECT_EQ(sys.magic, 0x036C);
    EXPECT_EQ(sys.minor, 33);
    EXPECT_EQ(sys.major, 1);
    EXPECT_EQ(sys.flags, 0);  // uncompressed 4 KB blocks
    EXPECT_EQ(sys.records.at(1), std::string("表示のヘルプ") + '\0');
    EXPECT_EQ(TitleAt(walk, r::U32(sys.records.at(3), 0)), "目次");
    EXPECT_EQ(static_cast<unsigned char>(sys.records.at(11).at(0)), 0x80);  // SHIFTJIS_CHARSET
    EXPECT_EQ(r::U16(sys.records.at(9), 8), 0x0411);
    const std::string window = sys.records.at(6);  // the main window, captioned with the title
    ASSERT_EQ(window.size(), 90u);
    EXPECT_EQ(r::U16(window, 0) & 0x7, 0x7);
    EXPECT_EQ(r::Z(window, 12), "main");
    EXPECT_EQ(r::Z(window, 21), "表示のヘルプ");

    // Keywords in byte order, each with the topics it leads to.
    std::vector<std::string> words;
    for (const auto& entry : r::Leaves(f.Internal("|KWBTREE"), kKeywords)) words.push_back(entry.first);
    EXPECT_EQ(words, (std::vector<std::string>{"BMP", "ボタン", "表示", "目次"}));
    EXPECT_EQ(KeywordTopics(f, walk, "ボタン"), (std::vector<std::string>{"目次", "ソフトの表示"}));
    EXPECT_EQ(KeywordTopics(f, walk, "BMP"), (std::vector<std::string>{"マウス"}));
    EXPECT_EQ(f.Internal("|KWMAP"), Le32(0) + std::string("\0\0", 2));

    for (const auto& [offset, title] : r::Leaves(f.Internal("|TTLBTREE"), kTitles))
        EXPECT_EQ(TitleAt(walk, r::U32(offset, 0)), title);
    const std::string map = f.Internal("|CTXOMAP");
    ASSERT_EQ(map.size(), 2u + 2 * 8);
    EXPECT_EQ(r::U16(map, 0), 2);
    EXPECT_EQ(r::U32(map, 2), 1u);
    EXPECT_EQ(TitleAt(walk, r::U32(map, 6)), "目次");
    EXPECT_EQ(r::U32(map, 10), 20u);
    EXPECT_EQ(TitleAt(walk, r::U32(map, 14)), "ソフトの表示");
}

TEST(HelpFile, LargeHelpSpreadsOverBlocksAndIndexPages) {
    constexpr int kTopics = 80, kWords = 40;
    std::string source = ".help h\n.font f\n";
    for (int t = 0; t < kTopics; ++t) {
        const std::string n = std::to_string(t);
        source += ".topic t" + n + " " + n + "\n.title 題名" + n + "\n.keywords ";
        for (int k = 0; k < kWords; ++k) source += (k ? ";語" : "語") + n + "_" + std::to_string(k);
        source += "\n";
        for (int line = 0; line < 12; ++line)
            source += std::string(20, 'x') + "あいうえおかきくけこさしすせそ" + "\n";
        source += "{次|t" + std::to_string((t + 1) % kTopics) + "}\n";
    }
    const r::HelpFile f(helpc::BuildHelpFile(helpc::ParseHelpSource(source)));
    const r::TopicWalk walk = r::ReadTopics(f.Internal("|TOPIC"));
    EXPECT_GT(walk.blocks, 10);
    ASSERT_EQ(walk.topics.size(), static_cast<std::size_t>(kTopics));
    for (int t = 0; t < kTopics; ++t) {
        const std::string title = "題名" + std::to_string(t);
        EXPECT_EQ(walk.topics[t].title, title);
        EXPECT_EQ(ContextTopic(f, walk, r::Hash("t" + std::to_string(t))), title);
        EXPECT_EQ(ContextTopic(f, walk, walk.topics[t].jumps.at(0).hash),
                  "題名" + std::to_string((t + 1) % kTopics));
        EXPECT_EQ(KeywordTopics(f, walk, "語" + std::to_string(t) + "_" + std::to_string(kWords - 1)),
                  std::vector<std::string>{title});
    }
    r::BTreeInfo info;
    const auto words = r::Leaves(f.Internal("|KWBTREE"), kKeywords, &info);
    EXPECT_EQ(words.size(), static_cast<std::size_t>(kTopics * kWords));
    EXPECT_GE(info.levels, 2);
    EXPECT_EQ(f.Internal("|KWMAP").size(), 6u * info.leaves);

    // A paragraph larger than a block is refused at its line.
    try {
        helpc::BuildHelpFile(helpc::ParseHelpSource(".help h\n.font f\n.topic a\n.title t\nok\n" +
                                                    std::string(4100, 'x') + "\n"));
        ADD_FAILURE() << "a 4100-byte paragraph was accepted";
    } catch (const helpc::HelpError& e) {
        EXPECT_EQ(e.Line(), 6);
        EXPECT_NE(std::string(e.what()).find("a topic block holds 4084"), std::string::npos) << e.what();
    }
}

TEST(HelpBTree, EveryEntryFoundFromTheRootOverSeveralLevels) {
    std::vector<helpc::BTreeEntry> entries;
    for (int i = 0; i < 500; ++i) {
        std::string key = "k" + std::to_string(10000 + i);
        entries.push_back({key + '\0', Le32(static_cast<std::uint32_t>(i))});
    }
    const helpc::BTree tree = helpc::BuildBTree({64, "z4", false}, entries);
    r::BTreeInfo info;
    const auto leaves = r::Leaves(tree.bytes, {true, false, 4}, &info);
    EXPECT_GE(info.levels, 3);
    EXPECT_EQ(tree.leafPages.size(), static_cast<std::size_t>(info.leaves));
    ASSERT_EQ(leaves.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string key = entries[i].key.substr(0, entries[i].key.size() - 1);
        EXPECT_EQ(leaves[i].first, key);
        bool found = false;
        EXPECT_EQ(r::Find(tree.bytes, {true, false, 4}, key, BytesLess, &found), entries[i].value) << key;
        EXPECT_TRUE(found) << key;
    }
    for (const char* absent : {"a", "k10250x", "z"}) {
        bool found = true;
        r::Find(tree.bytes, {true, false, 4}, absent, BytesLess, &found);
        EXPECT_FALSE(found) << absent;
    }
    EXPECT_THROW(helpc::BuildBTree({64, "z4", false}, {{std::string(60, 'x'), "1234"}}), helpc::HelpError);
}
