// A multi-line edit (the platform's, so selection and its Copy menu work as everywhere).
#pragma once
#include "ui/control.hpp"

namespace ui {

class Memo : public Control {
public:
    using Control::Control;

    bool ReadOnly = true;

    void SetText(const std::string& text) { SetCaption(text); }
    std::string Text() const;
    bool WantsKey(UINT key) const override { return key == WM_CHAR || (!ReadOnly && key == VK_RETURN); }

protected:
    const char* ControlClassName() const override { return "EDIT"; }
    bool IsPlatformClass() const override { return true; }
    DWORD ControlStyle() const override {
        return Control::ControlStyle() | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
               (ReadOnly ? ES_READONLY : 0);
    }
    DWORD ControlExStyle() const override { return WS_EX_CLIENTEDGE; }
};

}  // namespace ui
