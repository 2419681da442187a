// A form's controls in the order they were made: which one a window or an identifier belongs to, which
// one has the focus, and which one had it last.
#pragma once
#include <windows.h>

#include <vector>

namespace ui {

class Control;

class FormControls {
public:
    // Adds a control that is being made; its child-window identifier. Controls only join their form, so a
    // count of them names each one uniquely.
    int Join(Control* control);
    void Leave(Control* control);

    const std::vector<Control*>& List() const { return controls_; }
    Control* Of(HWND wnd) const;
    // The control of a window, or of its parent: a control's own child windows count as the control.
    Control* Owning(HWND wnd) const;
    Control* OfId(UINT id) const;
    // The control whose window has the focus.
    Control* Focused() const;

    // The control that last took the focus; null once the focus went to the form itself.
    Control* Active() const { return active_; }
    // Every control hears of the change (a push button takes or gives up the default).
    void SetActive(Control* control);

private:
    std::vector<Control*> controls_;
    int made_ = 0;
    Control* active_ = nullptr;
};

}  // namespace ui
