#include "cover/pointer_hider.hpp"

namespace obsc32 {

void PointerHider::SetEnabled(bool on) {
    enabled_ = on;
    if (!on) {
        idle_.SetEnabled(false);
        ShowAgain();
    }
}

bool PointerHider::OnMessage(UINT msg, LPARAM lParam, LRESULT& result) {
    if (msg == WM_WINDOWPOSCHANGED) PositionChanged(*reinterpret_cast<const WINDOWPOS*>(lParam));
    if (msg != WM_SETCURSOR || !SetCursorAsked(lParam)) return false;
    result = TRUE;
    return true;
}

bool PointerHider::SetCursorAsked(LPARAM lParam) {
    if (!enabled_) return false;
    // The system also asks when windows change under a still pointer: only a new place is a movement.
    POINT at{};
    GetCursorPos(&at);
    if (HIWORD(lParam) == WM_MOUSEMOVE && (at.x != last_.x || at.y != last_.y)) {
        last_ = at;
        ShowAgain();
        // The pointer goes a whole wait after its last movement.
        RestartWait();
        return false;
    }
    if (!hidden_) return false;
    SetCursor(nullptr);
    return true;
}

void PointerHider::PositionChanged(const WINDOWPOS& pos) {
    if (!enabled_) return;
    if (pos.flags & SWP_SHOWWINDOW) {
        // A pointer resting where the cover appears gets no movement to start the wait from.
        GetCursorPos(&last_);
        RestartWait();
    } else if (pos.flags & SWP_HIDEWINDOW) {
        idle_.SetEnabled(false);
        ShowAgain();
    }
}

void PointerHider::RestartWait() {
    idle_.SetEnabled(false);
    idle_.SetEnabled(true);
}

void PointerHider::Idle() {
    idle_.SetEnabled(false);
    if (!IsWindowVisible(cover_.Handle()) || !OverCover()) return;
    hidden_ = true;
    SetCursor(nullptr);
}

void PointerHider::ShowAgain() {
    if (!hidden_) return;
    hidden_ = false;
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}

bool PointerHider::OverCover() const {
    POINT at{};
    GetCursorPos(&at);
    HWND under = WindowFromPoint(at);
    return under && (under == cover_.Handle() || IsChild(cover_.Handle(), under));
}

}  // namespace obsc32
