// libFuzzer target: the Shift-JIS path helpers on any bytes, checked against a plain left-to-right walk of
// the characters (a first byte takes the next byte with it when that byte may be a second one, else stands
// alone): no result splits a character, separators are only bytes that start a character, a lone first byte
// hides none, and the helpers agree with one another.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.hpp"
#include "shell/sjis_path.hpp"

using namespace obsc32;

namespace {

bool Lead(char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool Trail(char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// starts[i]: byte i begins a character; starts[size] is true (the end is a boundary).
std::vector<bool> Starts(const std::string& s) {
    std::vector<bool> starts(s.size() + 1, false);
    for (std::size_t i = 0; i < s.size(); i += Lead(s[i]) && i + 1 < s.size() && Trail(s[i + 1]) ? 2 : 1)
        starts[i] = true;
    starts[s.size()] = true;
    return starts;
}

bool RealYenAt(const std::string& s, const std::vector<bool>& starts, std::size_t i) {
    return i < s.size() && s[i] == '\\' && starts[i];
}
bool EndsInRealYen(const std::string& s) { return !s.empty() && RealYenAt(s, Starts(s), s.size() - 1); }
// The text ends in a first byte that has no second.
bool EndsLone(const std::string& s) { return !s.empty() && Starts(s)[s.size() - 1] && Lead(s.back()); }
bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

void CheckAddCut(const std::string& p) {
    const std::string added = YenAdd(p), cut = YenCut(p);
    const bool realYen = EndsInRealYen(p);
    // A backslash after a lone first byte would be its second byte, so that byte goes.
    const std::string base = EndsLone(p) ? p.substr(0, p.size() - 1) : p;
    const bool keeps = !base.empty() && (EndsInRealYen(base) || (base.size() <= 3 && base.back() == '\\'));
    FUZZ_CHECK(added == (base.empty() ? "\\" : keeps ? base : base + "\\"));
    FUZZ_CHECK(cut == (p.size() > 3 && realYen ? p.substr(0, p.size() - 1) : p));
    FUZZ_CHECK(EndsInRealYen(added) || added.size() <= 3);
    // Round trips, where the other helper's own rules (short texts, doubled backslashes) do not intervene.
    if (p.size() > 3 && realYen && cut.back() != '\\') FUZZ_CHECK(YenAdd(cut) == p);
    if (base.size() >= 3 && !EndsInRealYen(base)) FUZZ_CHECK(YenCut(added) == base);
    FUZZ_CHECK(YenAdd(added) == added);
}

void CheckLeft(const std::string& t, int n) {
    const std::string left = SjisLeft(t, n);
    const std::vector<bool> starts = Starts(t);
    std::size_t expected = n <= 0 ? 0 : static_cast<std::size_t>(n) >= t.size() ? t.size() : n;
    if (!starts[expected]) --expected;  // the last character would lose its second byte
    FUZZ_CHECK(left == t.substr(0, expected));
}

void CheckCase(const std::string& t, bool toLower) {
    const std::string folded = SjisCase(t, toLower);
    FUZZ_CHECK(folded.size() == t.size());
    const std::vector<bool> starts = Starts(t);
    bool quoted = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (starts[i] && t[i] == '"') quoted = true;
        char want = t[i];
        if (starts[i] && !quoted && !Lead(t[i])) {
            if (toLower && want >= 'A' && want <= 'Z') want = static_cast<char>(want - 'A' + 'a');
            if (!toLower && want >= 'a' && want <= 'z') want = static_cast<char>(want - 'a' + 'A');
        }
        FUZZ_CHECK(folded[i] == want);
    }
    FUZZ_CHECK(SjisCase(folded, toLower) == folded);
}

void CheckSplitLevels(const std::string& p) {
    const std::vector<bool> starts = Starts(p);
    std::size_t quote = p.size();
    for (std::size_t i = 0; i < p.size(); ++i)
        if (starts[i] && p[i] == '"') {
            quote = i;
            break;
        }
    std::vector<std::string> segments{"kept"}, levels{"kept"};
    YenSplit(p, segments);
    YenLevels(p, levels);
    FUZZ_CHECK(segments[0] == "kept" && levels[0] == "kept" && segments.size() == levels.size());
    // Segments are the text up to each real backslash before any quote, in order.
    std::size_t at = 0;
    for (std::size_t k = 1; k < segments.size(); ++k) {
        const std::string& s = segments[k];
        FUZZ_CHECK(!s.empty() && p.compare(at, s.size(), s) == 0);
        for (std::size_t i = at; i < at + s.size() - 1; ++i) FUZZ_CHECK(!RealYenAt(p, starts, i));
        at += s.size();
        FUZZ_CHECK(RealYenAt(p, starts, at - 1) && at <= quote);
    }
    for (std::size_t i = at; i < quote; ++i) FUZZ_CHECK(!RealYenAt(p, starts, i));
    // Each level holds the one above it and ends where a segment does, less its backslash below the root.
    std::size_t end = 0;
    for (std::size_t k = 1; k < levels.size(); ++k) {
        end += segments[k].size();
        FUZZ_CHECK(levels[k] == (k == 1 ? p.substr(0, end) : YenCut(p.substr(0, end))));
        FUZZ_CHECK(StartsWith(p, levels[k]) && starts[levels[k].size()]);
        if (k > 1) FUZZ_CHECK(StartsWith(levels[k], levels[k - 1]));
    }
}

void CheckParts(const std::string& p) {
    const std::string name = FileNamePart(p), folder = FolderPart(p);
    FUZZ_CHECK(folder + name == p);
    const std::vector<bool> starts = Starts(p);
    FUZZ_CHECK(starts[folder.size()]);
    auto separatorAt = [&](std::size_t i) {
        return starts[i] && (p[i] == '\\' || p[i] == '/' || p[i] == ':');
    };
    if (!folder.empty()) FUZZ_CHECK(separatorAt(folder.size() - 1));
    for (std::size_t i = folder.size(); i < p.size(); ++i) FUZZ_CHECK(!separatorAt(i));
    FUZZ_CHECK(FolderPart(folder) == folder && FileNamePart(name) == name);
}

// Only the last part loses the dots and blanks that end it, "." and ".." excepted; a second byte that looks
// like either stays with its character.
void CheckDropTrailing(const std::string& p) {
    const std::vector<bool> starts = Starts(p);
    std::string want;
    std::size_t from = 0;
    for (std::size_t i = 0; i <= p.size(); ++i) {
        if (i < p.size() && !(starts[i] && (p[i] == '\\' || p[i] == '/'))) continue;
        std::size_t end = i;
        const std::string part = p.substr(from, i - from);
        if (i == p.size() && part != "." && part != "..")
            while (end > from && starts[end - 1] && (p[end - 1] == '.' || p[end - 1] == ' ')) --end;
        want += p.substr(from, end - from);
        if (i < p.size()) want += p[i];
        from = i + 1;
    }
    FUZZ_CHECK(DropTrailingDotsAndBlanks(p) == want);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const int n = static_cast<int>(in.Range(-4, 300));
    const bool toLower = in.Bool();
    const std::string text = in.Rest();
    CheckAddCut(text);
    CheckLeft(text, n);
    CheckCase(text, toLower);
    CheckSplitLevels(text);
    CheckParts(text);
    CheckDropTrailing(text);
    return 0;
}
