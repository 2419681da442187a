// Per-window DPI awareness, where the system has it (Windows 10 1607 on): a window keeps the awareness its
// thread had when it was made, and the system switches the thread to it while the window handles a message.
// An unaware window is drawn at 96 DPI and scaled up by the system, blurred; an aware one is in real pixels.
// Without it (XP to 8.1) nothing here changes anything and the program stays unaware.
#pragma once
#include <windows.h>

namespace ui {

// Sets the calling thread's DPI awareness until it goes, then puts back what the thread had.
class DpiAwarenessScope {
public:
    enum Kind { Unchanged, PerMonitor };
    // PerMonitor: per-monitor aware, the second version where there is one, else the first.
    explicit DpiAwarenessScope(Kind kind);
    // Back to what an earlier scope found; null changes nothing.
    explicit DpiAwarenessScope(DPI_AWARENESS_CONTEXT context);
    ~DpiAwarenessScope();
    DpiAwarenessScope(const DpiAwarenessScope&) = delete;
    DpiAwarenessScope& operator=(const DpiAwarenessScope&) = delete;

    // What the thread had before; null when nothing was changed.
    DPI_AWARENESS_CONTEXT Previous() const { return previous_; }

private:
    DPI_AWARENESS_CONTEXT previous_ = nullptr;
};

}  // namespace ui
