// How the cover window is shown on top of every window or beneath them all, and hidden, with its owner.
// Where it is to go is the model's to say.
#pragma once
#include "cover/cover_owner.hpp"
#include "ui/form.hpp"

namespace obsc32 {

class CoverPlacement {
public:
    CoverPlacement(ui::Form& cover, CoverOwner& owner) : cover_(cover), owner_(owner) {}

    void ShowOnTop();
    // Shown at the bottom, unactivated: it covers nothing on the way.
    void ShowAtBottom();
    // Back beneath every window, as it is.
    void SinkBack() { SinkToBottom(false); }
    void Hide() { cover_.Hide(); }
    // Whether a visible window of another thread, which is another program's, stands over part of the
    // cover; the program's own boxes and menus are its thread's.
    bool TopLost() const;
    // Over every window again, without taking the focus from the window that has it.
    void RetakeTop();

private:
    // The owner first, then the cover, which lands right above it; `show` shows it there.
    void SinkToBottom(bool show);

    ui::Form& cover_;
    CoverOwner& owner_;
};

}  // namespace obsc32
