#include "settings/hot_key_text.hpp"

#include <vector>

#include "shell/path_text.hpp"

namespace obsc32 {

namespace {

struct Name {
    const char* Text;
    unsigned Code;
};

// Named keys; the first name of a code is the one written.
constexpr Name kKeys[] = {
    {"Pause", 0x13},    {"ScrollLock", 0x91}, {"Insert", 0x2D},    {"Ins", 0x2D},         {"Delete", 0x2E},
    {"Del", 0x2E},      {"Home", 0x24},       {"End", 0x23},       {"PageUp", 0x21},      {"PgUp", 0x21},
    {"PageDown", 0x22}, {"PgDn", 0x22},       {"Left", 0x25},      {"Up", 0x26},          {"Right", 0x27},
    {"Down", 0x28},     {"Space", 0x20},      {"Enter", 0x0D},     {"Return", 0x0D},      {"Esc", 0x1B},
    {"Escape", 0x1B},   {"Tab", 0x09},        {"Backspace", 0x08}, {"PrintScreen", 0x2C}, {"NumLock", 0x90}};

constexpr Name kModifiers[] = {{"Ctrl", kModControl},
                               {"Control", kModControl},
                               {"Alt", kModAlt},
                               {"Shift", kModShift},
                               {"Win", kModWin}};

constexpr unsigned kF1 = 0x70, kNum0 = 0x60;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// 1..max without leading zeros, or 0.
unsigned SmallNumber(std::string_view digits, unsigned max) {
    if (digits.empty() || digits.size() > 2 || digits[0] == '0') return 0;
    unsigned n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + static_cast<unsigned>(c - '0');
    }
    return n <= max ? n : 0;
}

unsigned KeyCode(std::string_view name) {
    if (name.empty()) return 0;
    if (name.size() == 1) {
        const char c = Lower(name[0]);
        if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a' + 'A');
        if (c >= '0' && c <= '9') return static_cast<unsigned>(c);
        return 0;
    }
    if (Lower(name[0]) == 'f')
        if (unsigned n = SmallNumber(name.substr(1), 24)) return kF1 + n - 1;
    if (name.size() == 4 && SameName(name.substr(0, 3), "Num") && name[3] >= '0' && name[3] <= '9')
        return kNum0 + static_cast<unsigned>(name[3] - '0');
    for (const Name& k : kKeys)
        if (SameName(name, k.Text)) return k.Code;
    return 0;
}

std::string KeyName(unsigned code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return std::string(1, static_cast<char>(code));
    if (code >= kF1 && code < kF1 + 24) return "F" + std::to_string(code - kF1 + 1);
    if (code >= kNum0 && code <= kNum0 + 9) return "Num" + std::to_string(code - kNum0);
    for (const Name& k : kKeys)
        if (k.Code == code) return k.Text;
    return "";
}

// Keys that neither type nor edit text; any other, held with Shift alone or nothing, would be taken from
// every program's typing.
bool StandsAlone(unsigned code) { return (code >= kF1 && code < kF1 + 24) || code == 0x13 || code == 0x91; }

std::string_view Trimmed(std::string_view part) {
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    return part;
}

// A value as a notice quotes it: short, and no control character to break the box's lines.
std::string Quoted(const std::string& text) {
    constexpr int kShown = 40;
    std::string shown = ShownLeft(text, kShown);
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return "「" + shown + (shown.size() < text.size() ? "…" : "") + "」";
}

const char kHowToChange[] = "\nホットキーなしで動きます。\n変え方は、説明書の「ホットキー」にあります。";

}  // namespace

std::optional<HotKeyChord> ParseHotKey(std::string_view text) {
    if (text.size() > kMaxHotKeyText) return std::nullopt;
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t plus = text.find('+', start);
        parts.push_back(
            Trimmed(text.substr(start, plus == std::string_view::npos ? text.size() - start : plus - start)));
        if (plus == std::string_view::npos) break;
        start = plus + 1;
    }
    HotKeyChord chord;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        unsigned bit = 0;
        for (const Name& m : kModifiers)
            if (SameName(parts[i], m.Text)) bit = m.Code;
        if (!bit || (chord.Modifiers & bit)) return std::nullopt;
        chord.Modifiers |= bit;
    }
    chord.Key = KeyCode(parts.back());
    if (!chord.Key) return std::nullopt;
    if (!StandsAlone(chord.Key) && !(chord.Modifiers & (kModControl | kModAlt | kModWin)))
        return std::nullopt;
    return chord;
}

std::string FormatHotKey(const HotKeyChord& chord) {
    const std::string key = KeyName(chord.Key);
    if (key.empty() || (chord.Modifiers & ~(kModControl | kModAlt | kModShift | kModWin))) return "";
    std::string text;
    for (auto [bit, name] : {std::pair{kModControl, "Ctrl+"}, std::pair{kModAlt, "Alt+"},
                             std::pair{kModShift, "Shift+"}, std::pair{kModWin, "Win+"}})
        if (chord.Modifiers & bit) text += name;
    text += key;
    return ParseHotKey(text) ? text : "";
}

HotKeyPlan PlanHotKey(const StoredHotKey& stored) {
    HotKeyPlan plan;
    switch (stored.Is) {
        case StoredHotKey::Kind::NotText:
            plan.Notice =
                "ホットキー（HotKey の値）が、文字列ではありません・・・" + std::string(kHowToChange);
            return plan;
        case StoredHotKey::Kind::Absent: plan.Chord = ParseHotKey(kDefaultHotKey); break;
        case StoredHotKey::Kind::Text:
            if (stored.Text.empty()) {
                plan.Written = "";
                return plan;
            }
            plan.Chord = ParseHotKey(stored.Text);
            break;
    }
    if (plan.Chord) {
        plan.Written = FormatHotKey(*plan.Chord);
    } else {
        plan.Notice = "ホットキー" + Quoted(stored.Text) + "は、キーとして読めません・・・" + kHowToChange;
        plan.Written = stored.Text;
    }
    return plan;
}

std::string HotKeyTakenNotice(const HotKeyChord& chord) {
    return "ホットキー「" + FormatHotKey(chord) + "」は、ほかのソフトが使っています・・・" + kHowToChange;
}

std::string HotKeyTip(const std::string& title, const std::optional<HotKeyChord>& registered) {
    return registered ? title + "  " + FormatHotKey(*registered) : title;
}

}  // namespace obsc32
