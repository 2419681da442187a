// While the cover is shown on top: when to look whether another program's window has come over it. The
// system tells when another program's window comes to the foreground; nothing tells when one is merely
// raised (a notification, an always-on-top window), so the cover also looks twice a second.
#pragma once
#include <windows.h>

#include <functional>

#include "ui/timer.hpp"

namespace obsc32 {

class TopKeeper {
public:
    TopKeeper(ui::Component* owner, std::function<void()> look);
    ~TopKeeper() { Stop(); }
    TopKeeper(const TopKeeper&) = delete;
    TopKeeper& operator=(const TopKeeper&) = delete;

    void Start();
    // Nothing runs while the cover is hidden or at the bottom.
    void Stop();

private:
    static void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD);

    ui::Timer timer_;
    std::function<void()> look_;
    HWINEVENTHOOK hook_ = nullptr;
    // The system's callback carries no context; a process has one cover.
    static inline TopKeeper* watching_ = nullptr;
};

}  // namespace obsc32
