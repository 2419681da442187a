#include "cover/screen_follow.hpp"

#include "ui/dpi_awareness.hpp"
#include "ui/gdi.hpp"
#include "ui/handles.hpp"

namespace obsc32 {

static_assert(screen_notice::kDisplayChange == WM_DISPLAYCHANGE &&
              screen_notice::kPowerBroadcast == WM_POWERBROADCAST &&
              screen_notice::kSessionChange == WM_WTSSESSION_CHANGE);
static_assert(screen_notice::kResumeCritical == PBT_APMRESUMECRITICAL &&
              screen_notice::kResumeSuspend == PBT_APMRESUMESUSPEND &&
              screen_notice::kResumeAutomatic == PBT_APMRESUMEAUTOMATIC);
static_assert(screen_notice::kConsoleConnect == WTS_CONSOLE_CONNECT &&
              screen_notice::kRemoteConnect == WTS_REMOTE_CONNECT &&
              screen_notice::kSessionUnlock == WTS_SESSION_UNLOCK);

ScreenFollow::ScreenFollow(ui::Form& cover, FaceCommands& faces, ui::Image& image, const CoverModel& model)
    : cover_(cover),
      faces_(faces),
      image_(image),
      model_(model),
      settleTimer_(&cover, "SettleTimer", kSettleMs, false) {
    settleTimer_.OnTimer = [this](ui::Component*) { Settled(); };
}

void ScreenFollow::Begin() { settle_.Start(Fit()); }

ScreenShape ScreenFollow::Fit() {
    // Real pixels, whoever calls.
    ui::DpiAwarenessScope realPixels(ui::DpiAwarenessScope::PerMonitor);
    ScreenShape shape{faces_.Screen(), 0};
    // Bounds only: shown or hidden, topmost or at the bottom, the cover stays as it was placed.
    const ScreenRect& area = shape.Layout.Area;
    cover_.SetBounds(area.Left, area.Top, area.Width(), area.Height());
    // Cut to the chosen monitors, so that those between them stay uncovered.
    std::vector<RECT> parts;
    if (shape.Layout.Shaped)
        for (const ScreenRect& m : shape.Layout.Monitors)
            parts.push_back({m.Left - area.Left, m.Top - area.Top, m.Right - area.Left, m.Bottom - area.Top});
    ui::ShapeWindow(cover_.Handle(), parts);
    ui::WindowDC dc = ui::WindowDC::Of(cover_.Handle());
    shape.Depth = GetDeviceCaps(dc.Get(), BITSPIXEL);
    // A capture taken before the burst settles is taken at the new depth.
    faces_.SetColorDepth(shape.Depth);
    return shape;
}

bool ScreenFollow::OnMessage(UINT msg, WPARAM wParam, LRESULT& result) {
    if (msg == WM_DESTROY) {
        settleTimer_.SetEnabled(false);
        session_.Stop();
        return false;
    }
    if (!ScreenSettle::Rereads(msg, wParam)) return false;
    if (settle_.Read(Fit())) {
        // Started again: the picture waits for the last change of a burst.
        settleTimer_.SetEnabled(false);
        settleTimer_.SetEnabled(true);
    }
    // Back from sleep or another session, what it shows may be lost even where the screen stayed the same.
    RedrawWindow(cover_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    result = msg == WM_POWERBROADCAST ? TRUE : 0;
    return true;
}

void ScreenFollow::Settled() {
    settleTimer_.SetEnabled(false);
    if (!settle_.Settled()) return;
    ui::DpiAwarenessScope realPixels(ui::DpiAwarenessScope::PerMonitor);
    // Black and the capture follow the image's size when painted; a composed wallpaper is made anew.
    faces_.ScreenChanged(faces_.ColorDepth(), model_.Face());
    image_.Invalidate();
}

}  // namespace obsc32
