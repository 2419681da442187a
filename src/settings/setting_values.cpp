#include "settings/setting_values.hpp"

#include "shell/decimal.hpp"

namespace obsc32 {

int NumberSetting(std::string_view text, int ifEmpty, int ifUnconvertible) {
    if (text.empty()) return ifEmpty;
    return StrictDecimal(text).value_or(ifUnconvertible);
}

int StoredVersion(std::string_view text) { return NumberSetting(text, kNoVersion, kNoVersion); }

CoverSettings ParseCoverSettings(const ValueReader& read) {
    CoverSettings s;
    s.Auto = NumberSetting(read("AUTO"), 0, 0) != 0;
    s.Ue = NumberSetting(read("UE"), 1, 1) != 0;
    s.Ichi = NumberSetting(read("ICHI"), 1, 1);
    if (s.Ichi < 0 || s.Ichi >= kPositionCount) s.Ichi = 1;
    s.BmpFile = read("BMPFile");
    s.Kabe = NumberSetting(read("Kabe"), 1, 1) != 0;
    s.Mode = NumberSetting(read("mode"), 0, 0);
    s.Mue = NumberSetting(read("MUE"), 1, 1) != 0;
    s.HidePointer = NumberSetting(read("HidePointer"), 1, 1) != 0;
    s.Screens = read("Screens");
    return s;
}

std::vector<std::pair<std::string, std::string>> CoverSettingsValues(const CoverSettings& s) {
    auto sw = [](bool on) { return std::string(on ? "1" : "0"); };
    return {{"AUTO", sw(s.Auto)},   {"UE", sw(s.Ue)},     {"ICHI", std::to_string(s.Ichi)},
            {"BMPFile", s.BmpFile}, {"Kabe", sw(s.Kabe)}, {"mode", std::to_string(s.Mode)},
            {"MUE", sw(s.Mue)}};
}

std::string AboutVersionText(int stored) {
    if (stored == kNoVersion || stored < 0) return "?.?";
    return std::to_string(stored / 10) + "." + std::to_string(stored % 10);
}

}  // namespace obsc32
