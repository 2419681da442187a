// libFuzzer target: the path helpers on any bytes. Walking the text by CharLength meets every separator and
// never leaves a character cut; each helper's result is what a plain walk gives, and the helpers agree.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.hpp"
#include "shell/path_text.hpp"
#include "utf8_reference.hpp"

using namespace obsc32;

namespace {

// starts[i]: byte i begins a character; starts[size] is true (the end is a boundary).
std::vector<bool> Starts(const std::string& s) {
    std::vector<bool> starts(s.size() + 1, false);
    for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) {
        const std::size_t length = CharLength(s, i);
        // As the targets' own reading of UTF-8 has it: a whole sequence, or a byte alone.
        FUZZ_CHECK(length == (fuzz::Utf8At(s, i).length ? fuzz::Utf8At(s, i).length : 1));
        FUZZ_CHECK(length >= 1 && length <= 4 && i + length <= s.size());
        // A separator or quote is always a character of its own.
        for (std::size_t k = 1; k < length; ++k) FUZZ_CHECK(static_cast<unsigned char>(s[i + k]) >= 0x80);
        starts[i] = true;
    }
    starts[s.size()] = true;
    return starts;
}

void CheckCounts(const std::string& t, int n) {
    const std::vector<bool> starts = Starts(t);
    std::size_t chars = 0, longest = 0;
    for (std::size_t i = 0; i < t.size(); i += CharLength(t, i), ++chars)
        longest = CharLength(t, i) == 4 ? longest + 1 : longest;
    FUZZ_CHECK(WideLength(t) == chars + longest);
    FUZZ_CHECK(ShownWidth(t) >= chars && ShownWidth(t) <= 2 * chars);
    const std::string left = ShownLeft(t, n);
    FUZZ_CHECK(t.compare(0, left.size(), left) == 0 && starts[left.size()]);
    FUZZ_CHECK(ShownWidth(left) <= static_cast<std::size_t>(n < 0 ? 0 : n));
    // Nothing more would fit.
    if (left.size() < t.size())
        FUZZ_CHECK(ShownWidth(t.substr(0, left.size() + CharLength(t, left.size()))) >
                   static_cast<std::size_t>(n < 0 ? 0 : n));
}

void CheckPaths(const std::string& p, bool toLower) {
    const std::string added = YenAdd(p), cut = YenCut(p);
    FUZZ_CHECK(added == (!p.empty() && p.back() == '\\' ? p : p + "\\"));
    FUZZ_CHECK(cut == (p.size() > 3 && p.back() == '\\' ? p.substr(0, p.size() - 1) : p));

    const std::string folded = AsciiCase(p, toLower);
    const std::size_t quote = p.find('"');
    FUZZ_CHECK(folded.size() == p.size());
    for (std::size_t i = 0; i < p.size(); ++i) {
        const char c = p[i];
        const bool folds = i < quote && (toLower ? c >= 'A' && c <= 'Z' : c >= 'a' && c <= 'z');
        FUZZ_CHECK(folded[i] == (folds ? static_cast<char>(c ^ 0x20) : c));
    }

    std::vector<std::string> segments{"kept"}, levels{"kept"};
    YenSplit(p, segments);
    YenLevels(p, levels);
    FUZZ_CHECK(segments.size() == levels.size() && segments[0] == "kept" && levels[0] == "kept");
    std::string joined;
    for (std::size_t k = 1; k < segments.size(); ++k) {
        FUZZ_CHECK(segments[k].find('\\') == segments[k].size() - 1);
        joined += segments[k];
        FUZZ_CHECK(levels[k] == (k == 1 ? joined : YenCut(joined)));
    }
    const std::string beforeQuote = p.substr(0, quote);
    FUZZ_CHECK(joined == beforeQuote.substr(0, beforeQuote.rfind('\\') + 1));

    const std::string name = FileNamePart(p), folder = FolderPart(p);
    FUZZ_CHECK(folder + name == p && name.find_first_of("\\/:") == std::string::npos);
    FUZZ_CHECK(folder.empty() || std::string("\\/:").find(folder.back()) != std::string::npos);

    const std::string dropped = DropTrailingDotsAndBlanks(p);
    const std::size_t partStart = p.find_last_of("\\/") + 1;
    const std::string last = p.substr(partStart);
    if (last == "." || last == "..") {
        FUZZ_CHECK(dropped == p);
    } else {
        FUZZ_CHECK(p.compare(0, dropped.size(), dropped) == 0 && dropped.size() >= partStart);
        FUZZ_CHECK(p.find_first_not_of(". ", dropped.size()) == std::string::npos);
        FUZZ_CHECK(dropped.size() == partStart || (dropped.back() != '.' && dropped.back() != ' '));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const int n = static_cast<int>(in.Range(-4, 300));
    const bool toLower = in.Bool();
    const std::string text = in.Rest();
    CheckCounts(text, n);
    CheckPaths(text, toLower);
    return 0;
}
