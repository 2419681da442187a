// A check box (the platform's), its text and background in its colours, by default its form's.
#pragma once
#include "ui/control.hpp"

namespace ui {

class CheckBox : public Control {
public:
    CheckBox(Form* parent, const char* name, const char* caption = "");

    bool Checked() const;
    // A change raises OnClick as the user's click does, so a form sets its boxes through their handlers;
    // the state it has already raises nothing.
    void SetChecked(bool checked);

    // The box was ticked or cleared, by the user or by SetChecked.
    NotifyEvent OnClick;

protected:
    const char* ControlClassName() const override { return "BUTTON"; }
    bool IsPlatformClass() const override { return true; }
    DWORD ControlStyle() const override { return Control::ControlStyle() | BS_AUTOCHECKBOX; }
    void Created() override;
    bool ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool checked_ = false;
};

}  // namespace ui
