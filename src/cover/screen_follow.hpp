// The cover window following the screen: fitted at once at each display change, return from sleep or to the
// session, where it was (on top, at the bottom or hidden), and its picture made anew once a burst of changes
// has settled (ScreenSettle decides).
#pragma once
#include <windows.h>

#include "cover/cover_model.hpp"
#include "cover/face_commands.hpp"
#include "cover/screen_settle.hpp"
#include "ui/form.hpp"
#include "ui/image.hpp"
#include "ui/session_notices.hpp"
#include "ui/timer.hpp"

namespace obsc32 {

class ScreenFollow {
public:
    // Longer than the gap between the changes of one burst, tens to a couple of hundred ms (Wine's virtual
    // desktop takes 70 to 250 ms for each); short enough that a picture drawn for the old screen shows only
    // briefly.
    static constexpr unsigned kSettleMs = 400;

    ScreenFollow(ui::Form& cover, FaceCommands& faces, ui::Image& image, const CoverModel& model);
    ScreenFollow(const ScreenFollow&) = delete;
    ScreenFollow& operator=(const ScreenFollow&) = delete;

    // At creation: the cover fitted to the screen the faces are made for.
    void Begin();
    // The session's notices asked for, once the window is up.
    void ListenToSession() { session_.Start(cover_.Handle()); }
    bool OnMessage(UINT msg, WPARAM wParam, LRESULT& result);
    // What the cover covers, as last fitted: where its restore corner is.
    const ScreenLayout& Screen() const { return settle_.Now().Layout; }

private:
    // The cover's bounds to every monitor (or the primary one), at once; what it was fitted to.
    ScreenShape Fit();
    void Settled();

    ui::Form& cover_;
    FaceCommands& faces_;
    ui::Image& image_;
    const CoverModel& model_;
    ScreenSettle settle_;
    ui::Timer settleTimer_;
    ui::SessionNotices session_;
};

}  // namespace obsc32
