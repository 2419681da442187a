#include "ui/form_hints.hpp"

#include <algorithm>
#include <vector>

#include "ui/control.hpp"
#include "ui/form.hpp"

namespace ui {

namespace {
UINT_PTR AreaId(Control* c) { return reinterpret_cast<UINT_PTR>(c); }
bool HasAreaHint(const Control* c) { return c->TransparentToMouse() && !c->Hint.empty(); }
Rect AreaOf(const Control* c) {
    return c->Visible() ? Rect{c->Left(), c->Top(), c->Width(), c->Height()} : Rect{};
}
// The control's window and the windows of its own that take the pointer from it (a combo box's edit).
std::vector<HWND> PointerWindows(const Control* c) {
    std::vector<HWND> windows{c->Handle()};
    for (HWND w = GetWindow(c->Handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) windows.push_back(w);
    return windows;
}
}  // namespace

void FormHints::Watch(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Asked before the mouse message itself reaches the form or the control (whose window the tooltip then
    // watches), so that message already counts.
    if (msg == WM_SETCURSOR && pending_ && HIWORD(lParam) != 0) {
        pending_ = false;
        Create();
    }
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) tooltip_.Relay(form_.Handle(), msg, wParam, lParam);
}

void FormHints::ControlGone(Control* control) {
    if (!tooltip_.Active() || control->Hint.empty()) return;
    // The control can no longer say which kind of hint it had.
    tooltip_.Remove(form_.Handle(), AreaId(control));
    if (control->HandleAllocated())
        for (HWND w : PointerWindows(control)) tooltip_.Remove(form_.Handle(), reinterpret_cast<UINT_PTR>(w));
}

void FormHints::ControlAreaChanged(Control* control) {
    if (tooltip_.Active() && HasAreaHint(control))
        tooltip_.MoveArea(form_.Handle(), AreaId(control), AreaOf(control));
}

void FormHints::Create() {
    const std::vector<Control*>& controls = form_.Controls();
    auto hinted = [](Control* c) { return c->ShowHint && !c->Hint.empty(); };
    bool any = std::any_of(controls.begin(), controls.end(), hinted);
    // Without its tooltip the form only goes without hints.
    if (!any || !form_.ShowHint || !tooltip_.Create(form_.Handle())) return;
    for (Control* c : controls) {
        if (!hinted(c) || !c->HandleAllocated()) continue;
        // The mouse never reaches a control it passes through, so its hint belongs to the form's area.
        if (HasAreaHint(c))
            tooltip_.AddArea(form_.Handle(), AreaId(c), AreaOf(c), c->Hint);
        else
            for (HWND w : PointerWindows(c)) tooltip_.AddWindow(form_.Handle(), w, c->Hint);
    }
}

}  // namespace ui
