// A timer component: OnTimer runs on the UI thread every Interval ms while Enabled.
#pragma once
#include "ui/component.hpp"
#include "ui/window.hpp"

namespace ui {

class Timer : public Component, private Window {
public:
    Timer(Component* owner, const char* name, unsigned interval = 1000, bool enabled = true);

    // The setters return false when the timer cannot run (no window could be made for its ticks).
    bool Enabled() const { return enabled_; }
    bool SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    bool SetInterval(unsigned interval);

    NotifyEvent OnTimer;

private:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool Update();

    unsigned interval_;
    bool enabled_;
};

}  // namespace ui
