#include "ui/form_controls.hpp"

#include <algorithm>

#include "ui/control.hpp"

namespace ui {

int FormControls::Join(Control* control) {
    controls_.push_back(control);
    return ++made_;
}

void FormControls::Leave(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (active_ == control) active_ = nullptr;
}

Control* FormControls::Of(HWND wnd) const {
    for (Control* c : controls_)
        if (c->HandleAllocated() && c->Handle() == wnd) return c;
    return nullptr;
}

Control* FormControls::Owning(HWND wnd) const {
    if (!wnd) return nullptr;
    Control* c = Of(wnd);
    return c ? c : Of(GetParent(wnd));
}

Control* FormControls::OfId(UINT id) const {
    for (Control* c : controls_)
        if (static_cast<UINT>(c->ControlId()) == id) return c;
    return nullptr;
}

Control* FormControls::Focused() const { return Owning(GetFocus()); }

void FormControls::SetActive(Control* control) {
    active_ = control;
    for (Control* c : controls_) c->FocusChanged(control);
}

}  // namespace ui
