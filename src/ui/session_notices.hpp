// A window told of its session's changes (WM_WTSSESSION_CHANGE: locked, unlocked, connected again...) for
// as long as this lives, or until Stop.
#pragma once
#include <windows.h>

#include "ui/handles.hpp"

namespace ui {

class SessionNotices {
public:
    SessionNotices() = default;
    ~SessionNotices() { Stop(); }
    SessionNotices(const SessionNotices&) = delete;
    SessionNotices& operator=(const SessionNotices&) = delete;

    // False when the system tells no session changes (no wtsapi32, or it refuses the window).
    bool Start(HWND window);
    // Before the window is destroyed.
    void Stop();

private:
    Module library_;
    HWND window_ = nullptr;
};

}  // namespace ui
