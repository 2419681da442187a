// libFuzzer target: stored numbers and the cover's settings. Whole-number text against a wide-integer
// reading, each setting against its fallback, and what is written reads back as the same settings.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz_input.hpp"
#include "settings/setting_values.hpp"
#include "shell/decimal.hpp"

using namespace obsc32;

namespace {

// Sign and digits only, read in a type that cannot overflow on the lengths that matter.
std::optional<int> Wide(const std::string& t) {
    std::size_t i = t.empty() || (t[0] != '+' && t[0] != '-') ? 0 : 1;
    if (i == t.size()) return std::nullopt;
    __int128 v = 0;
    for (std::size_t k = i; k < t.size(); ++k) {
        if (t[k] < '0' || t[k] > '9') return std::nullopt;
        if (v < static_cast<__int128>(1) << 100) v = v * 10 + (t[k] - '0');  // far past int, it stays there
    }
    if (t[0] == '-') v = -v;
    if (v < INT_MIN || v > INT_MAX) return std::nullopt;
    return static_cast<int>(v);
}

bool Same(const CoverSettings& a, const CoverSettings& b) {
    return a.Auto == b.Auto && a.Ue == b.Ue && a.Ichi == b.Ichi && a.BmpFile == b.BmpFile &&
           a.Kabe == b.Kabe && a.Mode == b.Mode && a.Mue == b.Mue;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const int ifEmpty = static_cast<int>(in.U32()), ifBad = static_cast<int>(in.U32());
    const std::string number = in.Text();

    const std::optional<int> strict = StrictDecimal(number), wide = Wide(number);
    FUZZ_CHECK(strict == wide);
    if (strict) FUZZ_CHECK(StrictDecimal(std::to_string(*strict)) == strict);
    FUZZ_CHECK(NumberSetting(number, ifEmpty, ifBad) == (number.empty() ? ifEmpty : wide.value_or(ifBad)));
    const int version = StoredVersion(number);
    FUZZ_CHECK(version == wide.value_or(kNoVersion));
    const std::string shown = AboutVersionText(version);
    if (version == kNoVersion || version < 0) {
        FUZZ_CHECK(shown == "?.?");
    } else {
        // Tens, a point, one digit: the same number again.
        const std::size_t dot = shown.find('.');
        FUZZ_CHECK(dot != std::string::npos && dot + 2 == shown.size());
        FUZZ_CHECK(Wide(shown.substr(0, dot)).value_or(-1) * 10 + (shown[dot + 1] - '0') == version);
    }

    // The seven values written, in the order the store names them, and the two only read; a name the reader
    // is asked twice reads the same.
    const char* names[] = {"AUTO", "UE", "ICHI", "BMPFile", "Kabe", "mode", "MUE", "HidePointer", "Screens"};
    std::string values[9];
    for (std::string& v : values) v = in.Text();
    auto reader = [&](const char* name) {
        for (int i = 0; i < 9; ++i)
            if (std::string(name) == names[i]) return values[i];
        FUZZ_CHECK(!"a name the store does not have");
        return std::string();
    };
    const CoverSettings s = ParseCoverSettings(reader);
    auto number_of = [&](int i, int fallback) {
        return values[i].empty() ? fallback : Wide(values[i]).value_or(fallback);
    };
    FUZZ_CHECK(s.Auto == (number_of(0, 0) != 0) && s.Ue == (number_of(1, 1) != 0));
    const int ichi = number_of(2, 1);
    FUZZ_CHECK(s.Ichi == (ichi >= 0 && ichi < kPositionCount ? ichi : 1));
    FUZZ_CHECK(s.BmpFile == values[3] && s.Kabe == (number_of(4, 1) != 0));
    FUZZ_CHECK(s.Mode == number_of(5, 0) && s.Mue == (number_of(6, 1) != 0));
    FUZZ_CHECK(s.HidePointer == (number_of(7, 1) != 0) && s.Screens == values[8]);

    const auto written = CoverSettingsValues(s);
    FUZZ_CHECK(written.size() == 7);
    for (int i = 0; i < 7; ++i) FUZZ_CHECK(written[i].first == names[i]);
    const CoverSettings back = ParseCoverSettings([&](const char* name) {
        for (const auto& [key, value] : written)
            if (key == name) return value;
        return std::string("unwritten");
    });
    FUZZ_CHECK(Same(s, back));
    return 0;
}
