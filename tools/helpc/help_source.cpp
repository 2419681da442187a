#include "helpc/help_source.hpp"

#include <cstdio>
#include <map>
#include <string>

#include "helpc/sjis.hpp"

namespace helpc {

namespace {

std::string Hex(unsigned char b) {
    char out[8];
    std::snprintf(out, sizeof out, "0x%02X", b);
    return out;
}

// Throws unless every character of the text is Shift-JIS that may stand in text.
void CheckText(std::string_view text, int line, const char* what) {
    auto fail = [&](const std::string& problem, std::size_t i) {
        throw HelpError(line, problem + " at byte " + std::to_string(i + 1) + " of the " + what);
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(b)) {
            if (i + 1 >= text.size() || !IsTrailByte(static_cast<unsigned char>(text[i + 1])))
                fail("not Shift-JIS: lead byte " + Hex(b) + " without its second byte", i);
            ++i;
        } else if (b < 0x20 || b == 0x7F) {
            fail("control character " + Hex(b), i);
        } else if (!IsSingleByteText(b)) {
            fail("not Shift-JIS: byte " + Hex(b), i);
        }
    }
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

void CheckContext(std::string_view name, int line) {
    if (name.empty()) throw HelpError(line, "missing context name");
    if (name.size() > kMaxContext) throw HelpError(line, "context name longer than 255 characters");
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                        c == '_' || c == '.';
        if (!ok)
            throw HelpError(
                line, "context name '" + std::string(name) + "' may hold only letters, digits, '_' and '.'");
    }
}

void CheckLength(std::string_view text, std::size_t most, int line, const char* what) {
    if (text.empty()) throw HelpError(line, std::string("empty ") + what);
    if (text.size() > most)
        throw HelpError(line, std::string(what) + " longer than " + std::to_string(most) + " bytes");
}

// A text line: plain runs and {text|context} jumps, read character by character so that a second byte
// never counts as a brace or a bar.
Paragraph ParseTextLine(std::string_view line, int number) {
    CheckText(line, number, "line");
    Paragraph p{number, {}};
    Span current;
    bool inLink = false, inTarget = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (IsLeadByte(static_cast<unsigned char>(c))) {
            if (inTarget)
                throw HelpError(number, "a link's context name may hold only letters, digits, '_' and '.'");
            current.text.append(line.substr(i, 2));
            ++i;
        } else if (c == '{') {
            if (inLink) throw HelpError(number, "'{' inside a link");
            if (!current.text.empty()) p.spans.push_back(current);
            current = {};
            inLink = true;
        } else if (c == '|' && inLink) {
            if (inTarget) throw HelpError(number, "a link has two '|'");
            inTarget = true;
        } else if (c == '}') {
            if (!inLink) throw HelpError(number, "'}' without its '{'");
            if (!inTarget) throw HelpError(number, "a link without '|' and its context name");
            if (current.text.empty()) throw HelpError(number, "a link without text");
            CheckContext(current.target, number);
            p.spans.push_back(current);
            current = {};
            inLink = inTarget = false;
        } else {
            (inTarget ? current.target : current.text) += c;
        }
    }
    if (inLink) throw HelpError(number, "a link's '{' is not closed on its line");
    if (!current.text.empty()) p.spans.push_back(current);
    return p;
}

std::uint32_t ParseMap(std::string_view digits, int line) {
    if (digits.empty() || digits.size() > 10) throw HelpError(line, "map number must be 0 to 2147483647");
    std::uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') throw HelpError(line, "map number must be a decimal number");
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > 0x7FFFFFFF) throw HelpError(line, "map number must be 0 to 2147483647");
    return static_cast<std::uint32_t>(value);
}

// A source saved as UTF-8 by mistake would otherwise pass as Shift-JIS nonsense: Japanese in Shift-JIS
// starts most characters with a byte UTF-8 keeps for the middle of a sequence.
bool IsUtf8WithMultiByte(std::string_view text) {
    bool multi = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t n = b < 0x80             ? 1
                              : (b & 0xE0) == 0xC0 ? 2
                              : (b & 0xF0) == 0xE0 ? 3
                              : (b & 0xF8) == 0xF0 ? 4
                                                   : 0;
        if (n == 0 || i + n > text.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        multi = multi || n > 1;
        i += n;
    }
    return multi;
}

int FirstLineWithHighBytes(std::string_view text) {
    int line = 1;
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return line;
        if (c == '\n') ++line;
    }
    return 0;
}

class Parser {
public:
    HelpSource Run(std::string_view text) {
        if (IsUtf8WithMultiByte(text))
            throw HelpError(FirstLineWithHighBytes(text),
                            "the source is UTF-8; it must be Shift-JIS (code page 932)");
        int number = 0;
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            Line(line, ++number);
        }
        EndTopic();
        Finish(number);
        return std::move(source_);
    }

private:
    void Line(std::string_view line, int number) {
        if (!line.empty() && line[0] == ';') return;
        if (!line.empty() && line[0] == '.') return Directive(line, number);
        if (!topic_) {
            if (Trim(line).empty()) return;
            throw HelpError(number, "text before the first .topic");
        }
        if (Trim(line).empty() && topic_->body.empty()) return;  // blank lines between directives and text
        topic_->body.push_back(ParseTextLine(line, number));
    }

    void Directive(std::string_view line, int number) {
        const std::size_t space = line.find(' ');
        const std::string_view name = line.substr(0, space);
        const std::string_view rest = space == std::string_view::npos ? "" : Trim(line.substr(space + 1));
        if (name == ".help" || name == ".font") {
            if (topic_) throw HelpError(number, std::string(name) + " must come before the first .topic");
            std::string& field = name == ".help" ? source_.title : source_.font;
            if (!field.empty()) throw HelpError(number, std::string(name) + " given twice");
            CheckLength(rest, name == ".help" ? kMaxHelpTitle : kMaxFace, number,
                        name == ".help" ? "help title" : "font name");
            CheckText(rest, number, "line");
            field = rest;
        } else if (name == ".topic") {
            EndTopic();
            Topic t;
            t.line = number;
            const std::size_t gap = rest.find(' ');
            t.context = rest.substr(0, gap);
            CheckContext(t.context, number);
            if (gap != std::string_view::npos) {
                t.hasMap = true;
                t.map = ParseMap(Trim(rest.substr(gap + 1)), number);
                if (++mapped_ > kMaxCounted)
                    throw HelpError(number, "more than 65,535 topics with a map number");
            }
            source_.topics.push_back(std::move(t));
            topic_ = &source_.topics.back();
        } else if (name == ".title" || name == ".keywords") {
            if (!topic_) throw HelpError(number, std::string(name) + " outside a topic");
            if (!topic_->body.empty()) throw HelpError(number, std::string(name) + " after the topic's text");
            CheckText(rest, number, "line");
            if (name == ".title") {
                if (!topic_->title.empty()) throw HelpError(number, ".title given twice");
                CheckLength(rest, kMaxTitle, number, "title");
                topic_->title = rest;
            } else {
                Keywords(rest, number);
            }
        } else {
            throw HelpError(number, "unknown directive '" + std::string(name) + "'");
        }
    }

    // Keywords separated by ';' (never a second byte).
    void Keywords(std::string_view list, int number) {
        while (true) {
            const std::size_t semi = list.find(';');
            const std::string_view word = Trim(list.substr(0, semi));
            CheckLength(word, kMaxKeyword, number, "keyword");
            for (const std::string& k : topic_->keywords)
                if (k == word) throw HelpError(number, "keyword '" + k + "' given twice for this topic");
            topic_->keywords.emplace_back(word);
            if (++keywordTopics_[topic_->keywords.back()] > kMaxCounted)
                throw HelpError(number,
                                "keyword '" + topic_->keywords.back() + "' names more than 65,535 topics");
            if (semi == std::string_view::npos) break;
            list.remove_prefix(semi + 1);
        }
    }

    void EndTopic() {
        if (!topic_) return;
        if (topic_->title.empty())
            throw HelpError(topic_->line, "topic '" + topic_->context + "' has no .title");
        while (!topic_->body.empty() && topic_->body.back().spans.empty()) topic_->body.pop_back();
    }

    void Finish(int lastLine) {
        if (source_.title.empty()) throw HelpError(0, "no .help line gives the help file's title");
        if (source_.font.empty()) throw HelpError(0, "no .font line names the text's font");
        if (source_.topics.empty())
            throw HelpError(lastLine, "no .topic: the help needs at least its contents");
        std::map<std::uint32_t, const Topic*> byHash, byMap;
        for (const Topic& t : source_.topics) {
            auto [at, added] = byHash.emplace(ContextHash(t.context), &t);
            if (!added)
                throw HelpError(t.line, "context name '" + t.context + "' is the same to WinHelp as '" +
                                            at->second->context + "' (line " +
                                            std::to_string(at->second->line) + ")");
            if (!t.hasMap) continue;
            auto [m, fresh] = byMap.emplace(t.map, &t);
            if (!fresh)
                throw HelpError(t.line, "map number " + std::to_string(t.map) + " is taken by line " +
                                            std::to_string(m->second->line));
        }
        for (const Topic& t : source_.topics)
            for (const Paragraph& p : t.body)
                for (const Span& s : p.spans)
                    if (!s.target.empty() && !byHash.count(ContextHash(s.target)))
                        throw HelpError(p.line, "link to '" + s.target + "', which no .topic names");
    }

    HelpSource source_;
    Topic* topic_ = nullptr;
    std::size_t mapped_ = 0;
    std::map<std::string, std::size_t> keywordTopics_;
};

}  // namespace

HelpSource ParseHelpSource(std::string_view text) { return Parser().Run(text); }

std::uint32_t ContextHash(std::string_view name) {
    std::uint32_t hash = 0;
    for (char c : name) {
        std::uint32_t x = 0;
        if (c >= 'A' && c <= 'Z') x = static_cast<std::uint32_t>(c - 'A') + 17;
        if (c >= 'a' && c <= 'z') x = static_cast<std::uint32_t>(c - 'a') + 17;
        if (c >= '1' && c <= '9') x = static_cast<std::uint32_t>(c - '0');
        if (c == '0') x = 10;
        if (c == '.') x = 12;
        if (c == '_') x = 13;
        if (x) hash = hash * 43 + x;
    }
    return hash;
}

}  // namespace helpc
