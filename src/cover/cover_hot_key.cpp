#include "cover/cover_hot_key.hpp"

namespace obsc32 {

CoverHotKey::CoverHotKey(const StoredHotKey& stored) : plan_(PlanHotKey(stored)), notice_(plan_.Notice) {
    released_.OnTimer = [this](ui::Component*) {
        if (KeyDown()) return;
        held_ = false;
        released_.SetEnabled(false);
    };
}

bool CoverHotKey::KeyDown() const { return GetAsyncKeyState(static_cast<int>(plan_.Chord->Key)) & 0x8000; }

bool CoverHotKey::NewPress() {
    if (!plan_.Chord) return false;
    // Held since the last press, unless it is up already: a tap let go before the last tick.
    if (held_ && KeyDown()) return false;
    held_ = released_.SetEnabled(true);
    return true;
}

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
