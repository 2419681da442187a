#include "ui/control.hpp"

namespace ui {

Control::Control(Form* parent, std::string name) : Component(parent, std::move(name)), Parent(parent) {
    parent->controls_.push_back(this);
}

void Control::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (HandleAllocated()) SetWindowTextA(Handle(), caption_.c_str());
}

void Control::CreateControl() {
    if (Align == Align::Client) {
        Left = Top = 0;
        Width = Parent->ClientWidth();
        Height = Parent->ClientHeight();
    }
    CreateParams p;
    p.ClassName = ControlClassName();
    p.Caption = caption_;
    p.Style = ControlStyle();
    p.X = Left;
    p.Y = Top;
    p.Width = Width;
    p.Height = Height;
    p.Parent = Parent->Handle();
    CreateHandle(p);
}

void Control::ParentResized() {
    if (Align != Align::Client || !Parent->HandleAllocated()) return;
    Width = Parent->ClientWidth();
    Height = Parent->ClientHeight();
    if (HandleAllocated()) MoveWindow(Handle(), 0, 0, Width, Height, TRUE);
}

}  // namespace ui
