#include "ui/timer.hpp"

namespace ui {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

Timer::Timer(Component* owner, std::string name, unsigned interval, bool enabled)
    : Component(owner, std::move(name)), interval_(interval), enabled_(enabled) {
    Update();
}

void Timer::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Update();
}

void Timer::SetInterval(unsigned interval) {
    if (interval_ == interval) return;
    interval_ = interval;
    Update();
}

// Each timer has a message-only window of its own, so its ticks need no lookup table.
void Timer::Update() {
    if (HandleAllocated()) KillTimer(Handle(), kTimerId);
    if (!enabled_ || interval_ == 0) return;
    if (!HandleAllocated()) {
        CreateParams p;
        p.ClassName = "TTimerWindow";
        p.Parent = HWND_MESSAGE;
        CreateHandle(p);
    }
    SetTimer(Handle(), kTimerId, interval_, nullptr);
}

bool Timer::OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
    if (msg != WM_TIMER || wParam != kTimerId) return false;
    if (OnTimer) OnTimer(this);
    return true;
}

}  // namespace ui
