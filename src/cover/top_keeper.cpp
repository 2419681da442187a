#include "cover/top_keeper.hpp"

#include "ui/application.hpp"

namespace obsc32 {

TopKeeper::TopKeeper(ui::Component* owner, std::function<void()> look)
    : timer_(owner, "TopKeeper", 500, false), look_(std::move(look)) {
    timer_.OnTimer = [this](ui::Component*) { look_(); };
}

void TopKeeper::Start() {
    timer_.SetEnabled(true);
    if (hook_) return;
    watching_ = this;
    // Out of context: called back on this thread, as it takes its messages.
    hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, ForegroundChanged, 0,
                            0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

void TopKeeper::Stop() {
    timer_.SetEnabled(false);
    if (hook_) UnhookWinEvent(hook_);
    hook_ = nullptr;
    if (watching_ == this) watching_ = nullptr;
}

void CALLBACK TopKeeper::ForegroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (watching_) ui::Application::Instance().Guard([] { watching_->look_(); });
}

}  // namespace obsc32
