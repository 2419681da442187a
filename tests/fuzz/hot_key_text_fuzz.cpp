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
    const std::string written = FormatHotKey(any);
    if (!written.empty()) FUZZ_CHECK(ParseHotKey(written) == any && FormatHotKey(any) == written);

    // A text is a key, written back in its one form, or told and kept as it was, quoted short in the notice.
    const HotKeyPlan plan = PlanHotKey({StoredHotKey::Kind::Text, text});
    if (plan.Chord) FUZZ_CHECK(ParseHotKey(*plan.Written) == plan.Chord && text.size() <= kMaxHotKeyText);
    FUZZ_CHECK(plan.Chord || plan.Written == text);
    FUZZ_CHECK(plan.Notice.empty() == (plan.Chord || text.empty()) && plan.Notice.size() < 400);
    return 0;
}
