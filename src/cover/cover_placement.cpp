#include "cover/cover_placement.hpp"

namespace obsc32 {

void CoverPlacement::ShowOnTop() {
    owner_.Own(cover_.Handle());
    // Shown already on top: one restacking before the first paint, not two. The face is painted at once,
    // ahead of whatever the queue holds: hiding the screen is the point.
    cover_.ShowTopmost();
    cover_.PaintNow();
    cover_.BringToForeground();
}

void CoverPlacement::ShowAtBottom() {
    owner_.Own(cover_.Handle());
    // A first show's restacking is undone by the model's second sinking, once waiting messages have run.
    SinkToBottom(true);
    cover_.PaintNow();
}

bool CoverPlacement::TopLost() const {
    HWND cover = cover_.Handle();
    RECT covered;
    if (!GetWindowRect(cover, &covered)) return false;
    for (HWND w = GetWindow(cover, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        RECT r, both;
        if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId() &&
            GetWindowRect(w, &r) && IntersectRect(&both, &r, &covered))
            return true;
    }
    return false;
}

void CoverPlacement::RetakeTop() {
    SetWindowPos(cover_.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// An owned window is kept above its owner: the owner goes to the bottom first, the cover follows.
void CoverPlacement::SinkToBottom(bool show) {
    if (owner_.HandleAllocated()) owner_.SendToBottom();
    cover_.SendToBottom(show);
}

}  // namespace obsc32
