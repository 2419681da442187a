#include "helpc/html_help.hpp"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

namespace helpc {

namespace {

class Converter {
public:
    Converter() : cd_(iconv_open("UTF-8", "CP932")) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw HelpError(0, "the host's iconv has no CP932");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string operator()(std::string_view text) const {
        std::string in(text), out(text.size() * 3 + 4, '\0');
        char* from = in.data();
        char* to = out.data();
        std::size_t left = in.size(), room = out.size();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &from, &left, &to, &room) == static_cast<std::size_t>(-1))
            throw HelpError(0, "not Shift-JIS: " + std::string(text));
        out.resize(out.size() - room);
        return out;
    }

private:
    iconv_t cd_;
};

// UTF-8 text made safe to stand in an element or an attribute.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

std::string SjisToUtf8(std::string_view text) { return Converter()(text); }

std::string BuildHtmlHelp(const HelpSource& source) {
    const Converter utf8;
    const auto text = [&](const std::string& sjis) { return Escaped(utf8(sjis)); };
    std::string html = "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                       text(source.title) + "</title>\n<style>body{font-family:\"" + text(source.font) +
                       "\",sans-serif}</style>\n</head>\n<body>\n";
    // The heading 索引, in Shift-JIS as the source's texts are.
    const std::string indexHeading = text("\x8D\xF5\x88\xF8");
    // Whoever lands at the top (a browser given no anchor) reaches the index from there.
    html += "<p><a href=\"#" + std::string(obsc32::kHelpIndexAnchor) + "\">" + indexHeading + "</a></p>\n";
    std::vector<std::pair<std::string, std::string>> index;  // keyword, context
    for (const Topic& topic : source.topics) {
        html += "<section id=\"" + Escaped(topic.context) + "\">\n<h2>" + text(topic.title) + "</h2>\n";
        for (const Paragraph& p : topic.body) {
            html += "<p>";
            for (const Span& span : p.spans)
                html += span.target.empty()
                            ? text(span.text)
                            : "<a href=\"#" + Escaped(span.target) + "\">" + text(span.text) + "</a>";
            html += p.spans.empty() ? "&nbsp;</p>\n" : "</p>\n";
        }
        html += "</section>\n";
        for (const std::string& keyword : topic.keywords) index.emplace_back(utf8(keyword), topic.context);
    }
    std::sort(index.begin(), index.end());
    html += "<section id=\"" + std::string(obsc32::kHelpIndexAnchor) + "\">\n<h2>" + indexHeading +
            "</h2>\n<ul>\n";
    for (const auto& [keyword, context] : index)
        html += "<li><a href=\"#" + Escaped(context) + "\">" + Escaped(keyword) + "</a></li>\n";
    return html + "</ul>\n</section>\n</body>\n</html>\n";
}

}  // namespace helpc
