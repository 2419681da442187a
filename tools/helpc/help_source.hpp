// The help source: a line-based Shift-JIS text (see res/help/OBSC32.hps for the format) read into topics.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace helpc {

// What is wrong with the source, and on which line (0: the file as a whole).
class HelpError : public std::runtime_error {
public:
    HelpError(int line, const std::string& what) : std::runtime_error(what), line_(line) {}
    int Line() const { return line_; }

private:
    int line_;
};

// A run of text in a paragraph; with a target it is a jump to the topic of that context name.
struct Span {
    std::string text;
    std::string target;
};

struct Paragraph {
    int line = 0;
    std::vector<Span> spans;  // none: an empty line
};

struct Topic {
    int line = 0;  // its .topic line
    std::string context;
    bool hasMap = false;
    std::uint32_t map = 0;  // the number programs ask for it by (HELP_CONTEXT)
    std::string title;
    std::vector<std::string> keywords;
    std::vector<Paragraph> body;
};

struct HelpSource {
    std::string title;
    std::string font;
    std::vector<Topic> topics;  // the first is the contents
};

inline constexpr std::size_t kMaxTitle = 127;
inline constexpr std::size_t kMaxHelpTitle = 50;  // it also names the viewer's window, whose caption holds 50
inline constexpr std::size_t kMaxFace = 31;
inline constexpr std::size_t kMaxKeyword = 255;
inline constexpr std::size_t kMaxContext = 255;
// |CTXOMAP and |KWBTREE count in 16 bits: the mapped topics, and the topics of one keyword.
inline constexpr std::size_t kMaxCounted = 0xFFFF;

// Reads the whole source; throws HelpError naming the first line that is wrong. Every link names a topic.
HelpSource ParseHelpSource(std::string_view text);

// WinHelp's hash of a context name (letters fold to one case), which |CONTEXT and jumps use.
std::uint32_t ContextHash(std::string_view name);

}  // namespace helpc
