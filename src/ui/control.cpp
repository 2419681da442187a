#include "ui/control.hpp"

#include "ui/wide.hpp"

namespace ui {

Control::Control(Form* parent, const char* name)
    : Component(parent, name), Parent(parent), id_(parent->ControlJoined(this)) {}

Control::~Control() {
    Parent->ControlGone(this);
    if (!HandleAllocated()) return;
    Parent->Mute(true);
    DetachHandle();
    Parent->Mute(false);
}

void Control::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (HandleAllocated()) MoveWindow(Handle(), left, top, width, height, TRUE);
    Parent->ControlAreaChanged(this);
}

void Control::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (HandleAllocated()) {
        SetWindowTextW(Handle(), Wide(caption_).c_str());
        Invalidate();
    }
}

void Control::SetVisible(bool visible) {
    const bool changed = visible != visible_;
    visible_ = visible;
    if (!HandleAllocated()) {
        if (visible && Parent->HandleAllocated() && CreateControl()) Parent->ControlAreaChanged(this);
    } else {
        // A hidden control gives the focus back to its form, which tells the others.
        bool hadFocus = !visible && Focused();
        ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
        Parent->ControlAreaChanged(this);
        if (hadFocus && Parent->HandleAllocated()) {
            ::SetFocus(Parent->Handle());
            Parent->ControlFocused(nullptr);
        }
    }
    if (changed && OnVisibleChange) OnVisibleChange(this);
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (HandleAllocated()) {
        EnableWindow(Handle(), enabled);
        Invalidate();
    }
}

COLORREF Control::Color() const { return parentColor_ ? Parent->Color() : color_; }

void Control::SetColor(COLORREF color) {
    color_ = color;
    parentColor_ = false;
    Invalidate();
}

void Control::SetParentColor(bool on) {
    parentColor_ = on;
    Invalidate();
}

COLORREF Control::FontColor() const { return parentFont_ ? Parent->FontColor() : fontColor_; }

void Control::SetFontColor(COLORREF color) {
    fontColor_ = color;
    parentFont_ = false;
    Invalidate();
}

void Control::SetParentFont(bool on) {
    parentFont_ = on;
    Invalidate();
}

bool Control::CanFocus() const {
    return HandleAllocated() && visible_ && enabled_ && IsWindowVisible(Handle()) &&
           IsWindowEnabled(Handle());
}

void Control::SetFocus() {
    if (HandleAllocated()) ::SetFocus(Handle());
}

bool Control::Focused() const {
    if (!HandleAllocated()) return false;
    HWND focus = GetFocus();
    return focus && (focus == Handle() || IsChild(Handle(), focus));
}

// Children too: a combo box's edit paints in the combo box's colours.
void Control::Invalidate() {
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Control::Repaint() {
    if (HandleAllocated()) {
        InvalidateRect(Handle(), nullptr, TRUE);
        UpdateWindow(Handle());
    }
}

bool Control::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // A control with an edit of its own hears of the edit's focus from the edit.
    if (msg == WM_SETFOCUS || (msg == WM_COMMAND && HIWORD(wParam) == EN_SETFOCUS))
        Parent->ControlFocused(this);
    if (ControlMessage(msg, wParam, lParam, result)) return true;
    switch (msg) {
        case WM_NCHITTEST:
            if (!TransparentToMouse()) return false;
            result = HTTRANSPARENT;
            return true;
        case WM_ERASEBKGND:
            if (!PaintsItself()) return false;
            result = 1;
            return true;
        case WM_PAINT: {
            if (!PaintsItself()) return false;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            Paint(dc);
            EndPaint(Handle(), &ps);
            return true;
        }
        case WM_GETDLGCODE: result = DLGC_WANTCHARS | DLGC_WANTARROWS; return true;
        default: return false;
    }
}

bool Control::CreateControl() {
    if (Align == Align::Client) {
        left_ = top_ = 0;
        width_ = Parent->ClientWidth();
        height_ = Parent->ClientHeight();
    }
    CreateParams p;
    p.ClassName = ControlClassName();
    p.Caption = caption_;
    p.Style = ControlStyle() | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
    p.ExStyle = ControlExStyle();
    p.PlatformClass = IsPlatformClass();
    p.Superclass = SuperclassName();
    p.Id = id_;
    p.X = left_;
    p.Y = top_;
    p.Width = width_;
    p.Height = height_;
    p.Parent = Parent->Handle();
    if (!CreateHandle(p)) return false;
    if (TakesFormFont()) SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Parent->Font()), FALSE);
    Created();
    return true;
}

LRESULT Control::AnswerColors(WPARAM dc) {
    const COLORREF color = Color();
    SetTextColor(reinterpret_cast<HDC>(dc), FontColor());
    SetBkColor(reinterpret_cast<HDC>(dc), color);
    if (!colorBrush_ || brushColor_ != color) {
        colorBrush_.Reset(CreateSolidBrush(color));
        brushColor_ = color;
    }
    return reinterpret_cast<LRESULT>(colorBrush_.Get());
}

std::string Control::WindowText() const {
    if (!HandleAllocated()) return caption_;
    return WindowTextOf(Handle());
}

void Control::ParentResized() {
    if (Align != Align::Client || !Parent->HandleAllocated()) return;
    SetBounds(0, 0, Parent->ClientWidth(), Parent->ClientHeight());
}

}  // namespace ui
