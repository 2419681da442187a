#include "ui/timer.hpp"

namespace ui {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

Timer::Timer(Component* owner, const char* name, unsigned interval, bool enabled)
    : Component(owner, name), interval_(interval), enabled_(enabled) {
    Update();
}

bool Timer::SetEnabled(bool enabled) {
    // Unchanged, so the interval is not restarted; it runs if its window could be made.
    if (enabled_ == enabled) return !enabled_ || interval_ == 0 || HandleAllocated();
    enabled_ = enabled;
    return Update();
}

bool Timer::SetInterval(unsigned interval) {
    if (interval_ == interval) return !enabled_ || interval_ == 0 || HandleAllocated();
    interval_ = interval;
    return Update();
}

// Each timer has a message-only window of its own, so its ticks need no lookup table.
bool Timer::Update() {
    if (HandleAllocated()) KillTimer(Handle(), kTimerId);
    if (!enabled_ || interval_ == 0) return true;
    if (!HandleAllocated()) {
        CreateParams p;
        p.ClassName = "TTimerWindow";
        p.Parent = HWND_MESSAGE;
        if (!CreateHandle(p)) return false;
    }
    return SetTimer(Handle(), kTimerId, interval_, nullptr) != 0;
}

bool Timer::OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
    if (msg != WM_TIMER || wParam != kTimerId) return false;
    if (OnTimer) OnTimer(this);
    return true;
}

}  // namespace ui
