// The tooltip that shows a form's hints: over a control's own window, or, for a control the mouse passes
// through, over the area of the form the control covers.
#pragma once
#include <windows.h>

#include <string>

#include "ui/rect.hpp"
#include "ui/window.hpp"

namespace ui {

class Hints : private Window {
public:
    [[nodiscard]] bool Create(HWND form);
    bool Active() const { return HandleAllocated(); }

    void AddWindow(HWND form, HWND control, const std::string& text);
    // An area in the form's client coordinates, named by an id of the caller's; an empty area shows nothing.
    void AddArea(HWND form, UINT_PTR id, const Rect& area, const std::string& text);
    void MoveArea(HWND form, UINT_PTR id, const Rect& area);
    // A window's id is its handle.
    void Remove(HWND form, UINT_PTR id);
    // The form's mouse messages, which area hints need to see the pointer.
    void Relay(HWND form, UINT msg, WPARAM wParam, LPARAM lParam);
    // The form's window went, and the tooltip it owned with it.
    void Forget() { ForgetHandle(); }

private:
    bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

}  // namespace ui
