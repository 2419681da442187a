// The hints of a form's controls in the form's tooltip: over a control's own window, or, for a control the
// mouse passes through, over the area of the form it covers. The tooltip waits for the pointer's first
// visit: a window the mouse never reaches never pays for it.
#pragma once
#include <windows.h>

#include "ui/hints.hpp"

namespace ui {

class Control;
class Form;

class FormHints {
public:
    explicit FormHints(Form& form) : form_(form) {}

    // The form's controls exist: the tooltip is made when the pointer first comes.
    void Arm() { pending_ = true; }
    // Every message of the form, before the form handles it.
    void Watch(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called from the control's destructor.
    void ControlGone(Control* control);
    // The control moved, resized, showed or hid: a hint over its area follows it.
    void ControlAreaChanged(Control* control);
    // The form's window went, and the tooltip it owned with it.
    void Forget() { tooltip_.Forget(); }

private:
    void Create();

    Form& form_;
    Hints tooltip_;
    bool pending_ = false;
};

}  // namespace ui
