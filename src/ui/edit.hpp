// A single-line edit (the platform's, so typing, selection and its Copy menu work as everywhere).
#pragma once
#include "ui/control.hpp"

namespace ui {

class Edit : public Control {
public:
    Edit(Form* parent, const char* name);

    // The text the user sees once the window exists; the design value before.
    std::string Text() const { return WindowText(); }
    // Raises OnChange, as the platform's edit tells of every change.
    void SetText(const std::string& text) { SetCaption(text); }
    void SelectAll();

    // The text changed, by the user or by SetText.
    NotifyEvent OnChange;

    // Characters are typed, not accelerators; Enter and Esc still go to the form's buttons.
    bool WantsKey(UINT key) const override { return key == WM_CHAR; }

protected:
    const char* ControlClassName() const override { return "EDIT"; }
    bool IsPlatformClass() const override { return true; }
    DWORD ControlStyle() const override { return Control::ControlStyle() | ES_AUTOHSCROLL; }
    DWORD ControlExStyle() const override { return WS_EX_CLIENTEDGE; }
    bool ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace ui
