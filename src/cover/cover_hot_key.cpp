#include "cover/cover_hot_key.hpp"

namespace obsc32 {

std::optional<HotKeyChord> CoverHotKey::Register(HWND wnd) {
    if (!plan_.Chord) return std::nullopt;
    // Any refusal is told as the usual one: a key another program holds.
    if (key_.Register(wnd, kId, plan_.Chord->Modifiers, plan_.Chord->Key) != ERROR_SUCCESS) {
        notice_ = HotKeyTakenNotice(*plan_.Chord);
        return std::nullopt;
    }
    return plan_.Chord;
}

}  // namespace obsc32
