// The cover's global key as the person writes it ("Ctrl+Alt+B"): read, written back, and what the cover makes
// of the stored value. Modifier bits and key codes are the platform's, as plain numbers.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace obsc32 {

inline constexpr unsigned kModAlt = 0x1, kModControl = 0x2, kModShift = 0x4, kModWin = 0x8;
inline constexpr char kDefaultHotKey[] = "Ctrl+Alt+B";
// Longer than any key can be written, blanks included.
inline constexpr std::size_t kMaxHotKeyText = 64;

struct HotKeyChord {
    unsigned Modifiers = 0;  // kMod* bits
    unsigned Key = 0;        // virtual-key code
    bool operator==(const HotKeyChord&) const = default;
};

// Modifiers (Ctrl, Alt, Shift, Win, each once, any order) joined with "+" before one key name; any case,
// blanks around the parts. A key that types or edits text needs Ctrl, Alt or Win: only F1-F24, Pause and
// ScrollLock may go without. Nothing for any other text.
std::optional<HotKeyChord> ParseHotKey(std::string_view text);
// Ctrl+Alt+Shift+Win+Key, in that order, with the key's own name; "" for a chord that would not parse.
std::string FormatHotKey(const HotKeyChord& chord);

// The stored value as the store found it.
struct StoredHotKey {
    enum class Kind { Absent, Text, NotText } Is = Kind::Absent;
    std::string Text;
};

// What the cover does with it: absent is the default key, empty is none.
struct HotKeyPlan {
    std::optional<HotKeyChord> Chord;
    // The start's notice when the value cannot be used; "" when it can or is empty.
    std::string Notice;
    // What the close writes back: the key as written here, or the person's text as it was; nothing for a
    // value that is not text, which stays as it is.
    std::optional<std::string> Written;
};
HotKeyPlan PlanHotKey(const StoredHotKey& stored);

// The notice when another program holds the key.
std::string HotKeyTakenNotice(const HotKeyChord& chord);
// The tray icon's tip: the title, and the key while it is registered.
std::string HotKeyTip(const std::string& title, const std::optional<HotKeyChord>& registered);

}  // namespace obsc32
