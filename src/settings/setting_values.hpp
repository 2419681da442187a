// The cover's stored values: their names, defaults and fallbacks, and their text form.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace obsc32 {

// `ifEmpty` for "", `ifUnconvertible` for a text that is not a decimal integer.
int NumberSetting(std::string_view text, int ifEmpty, int ifUnconvertible);

// The stored "Version": an empty or unconvertible text counts as 255, never the built-in version.
inline constexpr int kNoVersion = 255;
int StoredVersion(std::string_view text);
// A stored version as the about box shows it: 12 is "1.2", 7 "0.7", 0 "0.0"; none (or a negative one) "?.?".
std::string AboutVersionText(int stored);

inline constexpr int kPositionCount = 7;

struct CoverSettings {
    bool Auto = false;        // "AUTO": show the cover at start-up
    bool Ue = true;           // "UE": at start-up put it on top
    int Ichi = 1;             // "ICHI": wallpaper position 0..6
    std::string BmpFile;      // "BMPFile"
    bool Kabe = true;         // "Kabe": the wallpaper face draws the system wallpaper
    int Mode = 0;             // "mode": the face
    bool Mue = true;          // "MUE": placed on top
    bool HidePointer = true;  // "HidePointer": the pointer goes over a shown cover (read only: "0" keeps it)
    std::string Screens;      // "Screens": which monitors are covered, as stored (read only)
};

using ValueReader = std::function<std::string(const char* name)>;

// Each value on its own, so one bad value does not spoil the next; a position outside 0..6 reads as 1.
CoverSettings ParseCoverSettings(const ValueReader& read);

// The values written at close, in their order, as decimal text ("1"/"0" for switches).
std::vector<std::pair<std::string, std::string>> CoverSettingsValues(const CoverSettings& s);

}  // namespace obsc32
