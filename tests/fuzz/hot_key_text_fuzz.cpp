// libFuzzer target: the global key's text. Any bytes either fail or give a key that is written in one form
// and read back as the same key; any chord is written so that it reads back, or not at all.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.hpp"
#include "settings/hot_key_text.hpp"

using namespace obsc32;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const HotKeyChord any{in.U32(), in.U32()};
    const std::string text = in.Rest();

    if (const auto chord = ParseHotKey(text)) {
        FUZZ_CHECK(text.size() <= kMaxHotKeyText);
        const std::string written = FormatHotKey(*chord);
        FUZZ_CHECK(!written.empty() && ParseHotKey(written) == chord &&
                   FormatHotKey(*ParseHotKey(written)) == written);
    }
    const std::string written = FormatHotKey(any);
    if (!written.empty()) FUZZ_CHECK(ParseHotKey(written) == any);

    const HotKeyPlan plan = PlanHotKey({StoredHotKey::Kind::Text, text});
    FUZZ_CHECK(plan.Written.has_value() && (plan.Chord || *plan.Written == text));
    FUZZ_CHECK(plan.Notice.empty() == (plan.Chord.has_value() || text.empty()));
    // The notice quotes a long or odd value shortened, so the box stays readable.
    FUZZ_CHECK(plan.Notice.size() < 400);
    if (plan.Chord) FUZZ_CHECK(HotKeyTip("title", plan.Chord).size() < 64);
    return 0;
}
