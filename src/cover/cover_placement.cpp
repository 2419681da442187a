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
    restore_.Enabled = true;
    top_.Checked = true;
    bottom_.Checked = false;
    // Shown already on top: one restacking before the first paint, not two.
    SetWindowPos(cover_.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    PaintNow();
    SetForegroundWindow(cover_.Handle());
}

void CoverPlacement::AtBottom() {
    restore_.Enabled = true;
    bottom_.Checked = true;
    top_.Checked = false;
    // Shown at the bottom, unactivated: it covers nothing on the way. A first show's restacking is undone.
    SinkToBottom(SWP_SHOWWINDOW);
    PaintNow();
    ui::Application::Instance().ProcessMessages();
    // A command handled meanwhile (top placement, restore) has the last word.
    if (bottom_.Checked && IsWindowVisible(cover_.Handle())) SinkToBottom(0);
}

void CoverPlacement::Restore() {
    cover_.Hide();
    restore_.Enabled = false;
}

void CoverPlacement::KeepDown() {
    if (bottom_.Checked) SinkToBottom(0);
}

void CoverPlacement::PaintNow() {
    RedrawWindow(cover_.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CoverPlacement::SinkToBottom(UINT extraFlags) {
    owner_.SendToBottom();
    SetWindowPos(cover_.Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | extraFlags);
}

}  // namespace obsc32
