// A child window of a form; created with the form, positioned by its design values.
#pragma once
#include <windows.h>

#include <string>

#include "ui/component.hpp"
#include "ui/form.hpp"
#include "ui/window.hpp"

namespace ui {

enum class Align { None, Client };

class Control : public Component, public Window {
public:
    Control(Form* parent, std::string name);

    Form* const Parent;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    ui::Align Align = Align::None;

    const std::string& Caption() const { return caption_; }
    // The caption is the window text, so screen readers and automation see it.
    void SetCaption(const std::string& caption);

protected:
    friend class Form;
    virtual const char* ControlClassName() const = 0;
    virtual DWORD ControlStyle() const { return WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS; }
    void CreateControl();
    void ParentResized();

private:
    std::string caption_;
};

}  // namespace ui
