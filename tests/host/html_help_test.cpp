#include "helpc/html_help.hpp"

#include <string>

#include <gtest/gtest.h>

TEST(HtmlHelp, EveryTopicStandsUnderItsContextWithItsLinksAndTheIndexLastInUtf8) {
    const std::string html = helpc::BuildHtmlHelp(
        helpc::ParseHelpSource(".help ヘルプ\r\n.font ＭＳ ゴシック\r\n.topic contents\r\n.title "
                               "目次\r\n{カバー|cover} & <b>\r\n\r\n終\r\n"
                               ".topic cover\r\n.title カバー\r\n.keywords 隠す;画面\r\n本文\r\n"));
    const std::string body = reinterpret_cast<const char*>(
        u8"<title>ヘルプ</title>\n<style>body{font-family:\"ＭＳ "
        u8"ゴシック\",sans-serif}</style>\n</head>\n<body>\n<p><a href=\"#keyword-index\">索引</a></p>\n"
        u8"<section id=\"contents\">\n<h2>目次</h2>\n<p><a href=\"#cover\">カバー</a> &amp; &lt;b&gt;</p>\n"
        u8"<p>&nbsp;</p>\n<p>終</p>\n</section>\n<section "
        u8"id=\"cover\">\n<h2>カバー</h2>\n<p>本文</p>\n</section>\n"
        u8"<section id=\"keyword-index\">\n<h2>索引</h2>\n<ul>\n<li><a href=\"#cover\">画面</a></li>\n"
        u8"<li><a href=\"#cover\">隠す</a></li>\n</ul>\n</section>\n</body>\n</html>\n");
    EXPECT_EQ(html.substr(html.find("<title>")), body);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_THROW(helpc::SjisToUtf8("\x81"), helpc::HelpError);
}
