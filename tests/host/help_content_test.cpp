// The help source in the repository: a contents that leads everywhere and back, keywords Wine's viewer can
// follow, and a topic for every command of the cover's tray menus.
#include <iconv.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "helpc/help_file.hpp"
#include "helpc/help_source.hpp"

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(std::string(OBSC32_SOURCE_DIR) + "/" + path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const helpc::HelpSource& Help() {
    static const helpc::HelpSource help = helpc::ParseHelpSource(Read("res/help/OBSC32.hps"));
    return help;
}

// The program's sources are UTF-8; the help is code page 932.
std::string ToCp932(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    char* to = out.data();
    std::size_t inLeft = utf8.size(), outLeft = out.size();
    const bool ok = cd != reinterpret_cast<iconv_t>(-1) &&
                    iconv(cd, &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1);
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    return ok ? out.substr(0, out.size() - outLeft) : "(not convertible: " + utf8 + ")";
}

}  // namespace

TEST(HelpContent, ContentsLeadsToEveryTopicAndEveryTopicBack) {
    const helpc::HelpSource& h = Help();
    ASSERT_GT(h.topics.size(), 30u);
    EXPECT_NO_THROW(helpc::BuildHelpFile(h));
    const std::string contents = h.topics[0].context;
    std::set<std::string> fromContents;
    for (const helpc::Paragraph& p : h.topics[0].body)
        for (const helpc::Span& s : p.spans) fromContents.insert(s.target);
    std::map<std::string, std::string> keywordTopic;
    for (const helpc::Topic& t : h.topics) {
        bool back = false;
        for (const helpc::Paragraph& p : t.body)
            for (const helpc::Span& s : p.spans) back = back || s.target == contents;
        if (&t != &h.topics[0]) {
            EXPECT_TRUE(fromContents.count(t.context)) << "the contents has no link to " << t.context;
            EXPECT_TRUE(back) << t.context << " has no link back to the contents";
        }
        EXPECT_TRUE(t.hasMap) << t.context << " has no number programs can ask for";
        // Wine's viewer cannot choose among several topics of one keyword.
        for (const std::string& k : t.keywords) {
            auto [at, added] = keywordTopic.emplace(k, t.context);
            EXPECT_TRUE(added) << "a keyword of both " << at->second << " and " << t.context;
        }
    }
}

TEST(HelpContent, EveryTrayMenuCommandHasATopic) {
    const std::string header = Read("src/cover/cover_menus.hpp");
    std::set<std::string> names;
    for (const helpc::Topic& t : Help().topics) {
        names.insert(t.title);
        names.insert(t.keywords.begin(), t.keywords.end());
    }
    const std::regex item(R"re(ui::MenuItem \w+\{owner_, "\w+", "([^"]+)")re");
    int captions = 0;
    for (auto m = std::sregex_iterator(header.begin(), header.end(), item); m != std::sregex_iterator();
         ++m) {
        // As a person reads the menu: without its access key.
        const std::string caption = std::regex_replace((*m)[1].str(), std::regex(R"( ?\(&.\)$)"), "");
        EXPECT_TRUE(names.count(ToCp932(caption))) << "no topic or keyword for the menu command " << caption;
        ++captions;
    }
    EXPECT_GT(captions, 30);
}
