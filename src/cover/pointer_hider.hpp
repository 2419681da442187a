// Over a shown cover the pointer goes after a while without movement and comes back at the first movement;
// clicks reach the cover all the while. The cover passes on what it is told about the pointer and itself.
#pragma once
#include <windows.h>

#include "ui/form.hpp"
#include "ui/timer.hpp"

namespace obsc32 {

class PointerHider {
public:
    static constexpr unsigned kIdleMs = 2000;

    explicit PointerHider(ui::Form& cover) : cover_(cover), idle_(&cover, "PointerIdle", kIdleMs, false) {
        idle_.OnTimer = [this](ui::Component*) { Idle(); };
    }

    // Off, the pointer stays as the windows under it set it.
    void SetEnabled(bool on);
    // The cover's messages, WM_SETCURSOR (its own or passed on by its picture) and WM_WINDOWPOSCHANGED;
    // true when answered, with no pointer.
    bool OnMessage(UINT msg, LPARAM lParam, LRESULT& result);

private:
    bool SetCursorAsked(LPARAM lParam);
    // Shown, the wait starts; hidden, the pointer is back.
    void PositionChanged(const WINDOWPOS& pos);
    // The whole wait again, from now.
    void RestartWait();
    void Idle();
    void ShowAgain();
    bool OverCover() const;

    ui::Form& cover_;
    ui::Timer idle_;
    bool enabled_ = true;
    bool hidden_ = false;
    POINT last_{-1, -1};
};

}  // namespace obsc32
