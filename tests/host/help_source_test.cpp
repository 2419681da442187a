// The help source reader: what it takes (character by character, so second bytes 0x5C, '{', '|' and '}'
// stay text) and what it refuses, always naming the line.
#include "helpc/help_source.hpp"

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

using helpc::HelpError;
using helpc::ParseHelpSource;

namespace {

// A paragraph as "text[link>target]text".
std::string Show(const helpc::Paragraph& p) {
    std::string out;
    for (const helpc::Span& s : p.spans)
        out += s.target.empty() ? s.text : "[" + s.text + ">" + s.target + "]";
    return out;
}

}  // namespace

TEST(HelpSource, ReadsTopicsLinksAndKeywordsCharacterByCharacter) {
    // ソ, 表 and 能 end in 0x5C; ボ, ポ and マ end in '{', '|' and '}'. Mixed line ends, no final one.
    const std::string source =
        "; a comment\r\n"
        ".help 表示のヘルプ\r\n"
        ".font ＭＳ ゴシック\r\n"
        "\r\n"
        ".topic contents 5\r\n"
        ".title 目次\r\n"
        ".keywords ソフト ; ボタン;表\r\n"
        "\r\n"
        "ソ表{ボマポ|Second_1.x}能\r\n"
        "\r\n"
        "ﾊﾟｰﾄ {a|contents} | b\r\n"
        "\r\n"
        ".topic Second_1.x\n"
        ".title 二番目\n"
        "end";
    const helpc::HelpSource h = ParseHelpSource(source);
    EXPECT_EQ(h.title, "表示のヘルプ");
    EXPECT_EQ(h.font, "ＭＳ ゴシック");
    ASSERT_EQ(h.topics.size(), 2u);

    const helpc::Topic& c = h.topics[0];
    EXPECT_EQ(c.line, 5);
    EXPECT_EQ(c.context, "contents");
    EXPECT_TRUE(c.hasMap);
    EXPECT_EQ(c.map, 5u);
    EXPECT_EQ(c.title, "目次");
    EXPECT_EQ(c.keywords, (std::vector<std::string>{"ソフト", "ボタン", "表"}));
    // The blank line after the directives and the one closing the topic go; the one between stays.
    ASSERT_EQ(c.body.size(), 3u);
    EXPECT_EQ(Show(c.body[0]), "ソ表[ボマポ>Second_1.x]能");
    EXPECT_EQ(c.body[0].line, 9);
    EXPECT_TRUE(c.body[1].spans.empty());
    EXPECT_EQ(Show(c.body[2]), "ﾊﾟｰﾄ [a>contents] | b");
    EXPECT_EQ(c.body[2].line, 11);

    const helpc::Topic& s = h.topics[1];
    EXPECT_FALSE(s.hasMap);
    EXPECT_EQ(s.title, "二番目");
    EXPECT_TRUE(s.keywords.empty());
    ASSERT_EQ(s.body.size(), 1u);
    EXPECT_EQ(Show(s.body[0]), "end");
    EXPECT_EQ(s.body[0].line, 15);
}

TEST(HelpSource, RejectsWhatIsWrongNamingTheLine) {
    const std::string head = ".help h\n.font f\n.topic a\n.title t\n";  // lines 1 to 4
    const std::string utf8 = reinterpret_cast<const char*>(u8".help 目次\n");
    struct Case {
        std::string source;
        int line;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"text\n" + head, 1, "text before the first .topic"},
        {head + "{b|a\n", 5, "a link's '{' is not closed on its line"},
        {head + "x}\n", 5, "'}' without its '{'"},
        {head + "{x}\n", 5, "a link without '|' and its context name"},
        {head + "{|a}\n", 5, "a link without text"},
        {head + "ok\n{x|nowhere}\n", 6, "link to 'nowhere', which no .topic names"},
        {head + "{x|bad name}\n", 5, "context name 'bad name' may hold only"},
        {head + "{x|目次}\n", 5, "a link's context name may hold only"},
        {head + "{{x|a}\n", 5, "'{' inside a link"},
        {head + "{x|a|b}\n", 5, "a link has two '|'"},
        {head + "ab\x83\n", 5, "lead byte 0x83 without its second byte at byte 3 of the line"},
        {head + "\x83\x20\n", 5, "lead byte 0x83 without its second byte"},
        {head + "a\xFD\n", 5, "not Shift-JIS: byte 0xFD at byte 2"},
        {head + "a\tb\n", 5, "control character 0x09"},
        {".help h\n.font f\n.topic a\n.topic b\n.title t\n", 3, "topic 'a' has no .title"},
        {head + ".topic A\n.title u\n", 5, "context name 'A' is the same to WinHelp as 'a' (line 3)"},
        {".help h\n.font f\n.topic a 7\n.title t\n.topic b 7\n.title u\n", 5,
         "map number 7 is taken by line 3"},
        {".help h\n.font f\n.topic a 2147483648\n.title t\n", 3, "map number must be 0 to 2147483647"},
        {".help h\n.font f\n.topic a 1x\n.title t\n", 3, "map number must be a decimal number"},
        {head + ".keywords a;;b\n", 5, "empty keyword"},
        {head + ".keywords a; b;a\n", 5, "keyword 'a' given twice for this topic"},
        {head + "text\n.keywords k\n", 6, ".keywords after the topic's text"},
        {head + ".title again\n", 5, ".title given twice"},
        {".help h\n.font f\n.topic a\n.title\n", 4, "empty title"},
        {".help h\n.font f\n.topic a\n.title " + std::string(128, 'x') + "\n", 4,
         "title longer than 127 bytes"},
        {".help " + std::string(51, 'x') + "\n", 1, "help title longer than 50 bytes"},
        {".help h\n.font f\n.topic 目次\n", 3, "context name '目次' may hold only"},
        {".help h\n.font f\n.topic\n", 3, "missing context name"},
        {".help h\n.font f\n.title t\n", 3, ".title outside a topic"},
        {head + ".bogus x\n", 5, "unknown directive '.bogus'"},
        {head + ".help again\n", 5, ".help must come before the first .topic"},
        {".help h\n.help i\n", 2, ".help given twice"},
        {".font f\n.topic a\n.title t\n", 0, "no .help line"},
        {".help h\n.topic a\n.title t\n", 0, "no .font line"},
        {".help h\n.font f\n\n", 3, "no .topic"},
        {".font f\n; note\n" + utf8, 3, "the source is UTF-8; it must be Shift-JIS"},
    };
    for (const Case& c : cases) {
        try {
            ParseHelpSource(c.source);
            ADD_FAILURE() << "accepted: " << c.source;
        } catch (const HelpError& e) {
            EXPECT_EQ(e.Line(), c.line) << c.source;
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << "said \"" << e.what() << "\" for: " << c.source;
        }
    }
}

TEST(HelpSource, RefusesCountsPastWhatTheFileKeepsIn16Bits) {
    // 65,535 topics, each with a map number and the keyword k: the most either count may hold, as the line
    // of each refusal shows.
    std::string full = ".help h\n.font f\n";
    for (int t = 0; t < 65535; ++t)
        full += ".topic t" + std::to_string(t) + " " + std::to_string(t) + "\n.title x\n.keywords k\n";
    const int next = 2 + 3 * 65535 + 1;
    for (const auto& [more, line, message] :
         {std::tuple{".topic u 65535\n.title x\n", next, "more than 65,535 topics with a map number"},
          std::tuple{".topic u\n.title x\n.keywords j;k\n", next + 2,
                     "keyword 'k' names more than 65,535 topics"}}) {
        try {
            ParseHelpSource(full + more);
            ADD_FAILURE() << "accepted: " << more;
        } catch (const HelpError& e) {
            EXPECT_EQ(e.Line(), line);
            EXPECT_STREQ(e.what(), message);
        }
    }
}
