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

// An owned window is kept above its owner: the owner goes to the bottom first, the cover follows.
void CoverPlacement::SinkToBottom(bool show) {
    if (owner_.HandleAllocated()) owner_.SendToBottom();
    cover_.SendToBottom(show);
}

}  // namespace obsc32
