#include "ui/timer.hpp"

#include <map>

#include "ui/application.hpp"

namespace ui {

namespace {
// The running timers by the system's id. Thread timers need no window of their own: making a window costs
// more than a start-up or a message box can spare. Never destroyed: the forms owning timers go with the
// application object at exit, and no order among the statics would keep a map that dies alive after them.
std::map<UINT_PTR, Timer*>& Running() {
    static auto* running = new std::map<UINT_PTR, Timer*>;
    return *running;
}
}  // namespace

Timer::Timer(Component* owner, const char* name, unsigned interval, bool enabled)
    : Component(owner, name), interval_(interval), enabled_(enabled) {
    Update();
}

Timer::~Timer() {
    enabled_ = false;
    Update();
}

bool Timer::SetEnabled(bool enabled) {
    // Unchanged, so the interval is not restarted.
    if (enabled_ == enabled) return !enabled_ || interval_ == 0 || id_ != 0;
    enabled_ = enabled;
    return Update();
}

bool Timer::SetInterval(unsigned interval) {
    if (interval_ == interval) return !enabled_ || interval_ == 0 || id_ != 0;
    interval_ = interval;
    return Update();
}

bool Timer::Update() {
    if (id_ != 0) {
        KillTimer(nullptr, id_);
        Running().erase(id_);
        id_ = 0;
    }
    if (!enabled_ || interval_ == 0) return true;
    id_ = SetTimer(nullptr, 0, interval_, Tick);
    if (id_ == 0) return false;
    Running()[id_] = this;
    return true;
}

void CALLBACK Timer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    // A tick already queued when its timer stopped finds nothing.
    auto it = Running().find(id);
    if (it == Running().end() || !it->second->OnTimer) return;
    Timer* timer = it->second;
    Application::Instance().Guard([timer] { timer->OnTimer(timer); });
}

}  // namespace ui
