// Where the cover stands: shown on top of every window, shown at the bottom beneath them, or hidden. The
// check marks of its three menu items are the state.
#pragma once
#include "cover/cover_owner.hpp"
#include "ui/form.hpp"
#include "ui/menu.hpp"

namespace obsc32 {

class CoverPlacement {
public:
    CoverPlacement(ui::Form& cover, CoverOwner& owner, ui::MenuItem& top, ui::MenuItem& bottom,
                   ui::MenuItem& restore)
        : cover_(cover), owner_(owner), top_(top), bottom_(bottom), restore_(restore) {}

    // Shows the cover where the check marks say: at the bottom when that is checked, else on top.
    void Place();
    void OnTop();
    void AtBottom();
    // Hides it; the face stays for the next time.
    void Restore();
    // The next placement is on top (the short menu's faces).
    void PreferTop() { bottom_.Checked = false; }
    bool Bottom() const { return bottom_.Checked; }
    // A click activates a bottom cover and so raises it: it goes back down.
    void KeepDown();

private:
    // The owner first, then the cover, which lands right above it; `show` shows it there.
    void SinkToBottom(bool show);

    ui::Form& cover_;
    CoverOwner& owner_;
    ui::MenuItem& top_;
    ui::MenuItem& bottom_;
    ui::MenuItem& restore_;
};

}  // namespace obsc32
