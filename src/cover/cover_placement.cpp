#include "cover/cover_placement.hpp"

#include "ui/application.hpp"

namespace obsc32 {

void CoverPlacement::Place() {
    ui::Application::Instance().ProcessMessages();
    if (bottom_.Checked)
        AtBottom();
    else
        OnTop();
}

void CoverPlacement::OnTop() {
    owner_.Own(cover_.Handle());
    restore_.Enabled = true;
    top_.Checked = true;
    bottom_.Checked = false;
    // Shown already on top: one restacking before the first paint, not two. The face is painted at once,
    // ahead of whatever the queue holds: hiding the screen is the point.
    cover_.ShowTopmost();
    cover_.PaintNow();
    cover_.BringToForeground();
}

void CoverPlacement::AtBottom() {
    owner_.Own(cover_.Handle());
    restore_.Enabled = true;
    bottom_.Checked = true;
    top_.Checked = false;
    // Shown at the bottom, unactivated: it covers nothing on the way. A first show's restacking is undone.
    SinkToBottom(true);
    cover_.PaintNow();
    ui::Application::Instance().ProcessMessages();
    // A command handled meanwhile (top placement, restore) has the last word.
    if (bottom_.Checked && cover_.Visible()) SinkToBottom(false);
}

void CoverPlacement::Restore() {
    cover_.Hide();
    restore_.Enabled = false;
}

void CoverPlacement::KeepDown() {
    if (bottom_.Checked) SinkToBottom(false);
}

// An owned window is kept above its owner: the owner goes to the bottom first, the cover follows.
void CoverPlacement::SinkToBottom(bool show) {
    if (owner_.HandleAllocated()) owner_.SendToBottom();
    cover_.SendToBottom(show);
}

}  // namespace obsc32
