// The global key that shows the cover and takes it away: what the stored value asks for, registered on the
// cover's window, the notice owed when it cannot be, and what the close writes back.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "settings/hot_key_text.hpp"
#include "ui/hot_key.hpp"

namespace obsc32 {

class CoverHotKey {
public:
    // WM_HOTKEY's wParam for this key.
    static constexpr int kId = 1;

    explicit CoverHotKey(const StoredHotKey& stored) : plan_(PlanHotKey(stored)), notice_(plan_.Notice) {}

    // The key for the window; the key registered, or none when there is none to register or another
    // program holds it, which the notice then tells.
    std::optional<HotKeyChord> Register(HWND wnd);
    // The notice owed to the person, once; "" when none is.
    std::string TakeNotice() { return std::exchange(notice_, std::string()); }
    void Release() { key_.Reset(); }
    // What the close writes back, if anything.
    const std::optional<std::string>& Written() const { return plan_.Written; }

private:
    HotKeyPlan plan_;
    std::string notice_;
    ui::HotKey key_;
};

}  // namespace obsc32
