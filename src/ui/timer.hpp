// A timer component: OnTimer runs on the UI thread every Interval ms while Enabled.
#pragma once
#include <windows.h>

#include "ui/component.hpp"

namespace ui {

class Timer : public Component {
public:
    Timer(Component* owner, const char* name, unsigned interval = 1000, bool enabled = true);
    ~Timer() override;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // The setters return false when the timer cannot run (the system has no timer left).
    bool Enabled() const { return enabled_; }
    bool SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    bool SetInterval(unsigned interval);

    NotifyEvent OnTimer;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    bool Update();

    unsigned interval_;
    bool enabled_;
    UINT_PTR id_ = 0;
};

}  // namespace ui
