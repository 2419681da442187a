// The dialog keys of a form, taken before the focused window sees them: Tab moves the focus in tab order,
// Enter and Esc go to the control that answers them, characters to the control they are the accelerator of.
#pragma once
#include <windows.h>

namespace ui {

class FormControls;

class KeyboardNavigation {
public:
    explicit KeyboardNavigation(const FormControls& controls) : controls_(controls) {}

    // Moves the focus to the next (or previous) control that takes it by Tab, in tab order.
    void SelectNext(bool forward) const;
    // True when the key was used.
    bool HandleKey(const MSG& msg) const;

private:
    const FormControls& controls_;
};

}  // namespace ui
