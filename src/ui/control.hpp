// A child window of a form: created with the form from its design values, which stay readable and
// settable afterwards (a change after creation moves or repaints the window).
#pragma once
#include <windows.h>

#include <string>

#include "ui/component.hpp"
#include "ui/form.hpp"
#include "ui/handles.hpp"
#include "ui/window.hpp"

namespace ui {

enum class Align { None, Client };

using MouseMoveEvent = std::function<void(Component* sender, int x, int y)>;
// The key is a virtual-key code.
using KeyEvent = std::function<void(Component* sender, WORD key)>;

class Control : public Component, public Window {
public:
    Control(Form* parent, const char* name);
    // Leaves its form's lists. Its window goes while the form's window is muted: the form may be going
    // too (its controls are its members), and a child's last messages to it are not for a half-gone form.
    ~Control() override;

    Form* const Parent;
    ui::Align Align = Align::None;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);

    const std::string& Caption() const { return caption_; }
    // The caption is the window text, so screen readers and automation see it.
    virtual void SetCaption(const std::string& caption);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Shown or hidden by SetVisible.
    NotifyEvent OnVisibleChange;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Colours: with ParentColor / ParentFont the parent form's face and font colours are used.
    COLORREF Color() const;
    void SetColor(COLORREF color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on);
    COLORREF FontColor() const;
    void SetFontColor(COLORREF color);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool on);

    bool TabStop = false;
    int TabOrder = 0;
    std::string Hint;
    // Whether the form's tooltip shows Hint; the form's own ShowHint switches all of them.
    bool ShowHint = true;

    bool CanFocus() const;
    // The focus may be in a window of the control's own (a combo box's edit).
    bool Focused() const;
    void SetFocus();
    void Invalidate();
    // Paints now what is invalid.
    void Repaint();

    // Keyboard handling shared by the form: Enter and Esc, accelerators, and focus changes.
    virtual bool DialogKey(UINT) { return false; }
    virtual bool DialogChar(char) { return false; }
    virtual void FocusChanged(Control*) {}
    // Keys the control handles itself instead of the form (Tab, Enter, Esc, characters).
    virtual bool WantsKey(UINT) const { return false; }
    // The child-window identifier the control was created with.
    int ControlId() const { return id_; }
    // The mouse goes to what lies beneath; the form then shows the hint over the control's area.
    virtual bool TransparentToMouse() const { return false; }
    // A push button: the default moves to whichever of them has the focus.
    virtual bool IsPushButton() const { return false; }
    // A control that, hidden, only holds something for others (a picture) gets its window when first shown.
    virtual bool NeedsWindowWhileHidden() const { return true; }

protected:
    friend class Form;
    virtual const char* ControlClassName() const = 0;
    virtual DWORD ControlStyle() const { return WS_CHILD | WS_CLIPSIBLINGS | (TabStop ? WS_TABSTOP : 0); }
    virtual DWORD ControlExStyle() const { return 0; }
    // A class of the platform's: created as it is, its messages not seen by OnMessage.
    virtual bool IsPlatformClass() const { return false; }
    // A platform class the control's own class takes over (its messages are seen, then passed on).
    virtual const char* SuperclassName() const { return nullptr; }
    // Whether the window is given the form's font; one whose owner draws all text needs none.
    virtual bool TakesFormFont() const { return true; }
    // Called once the window exists.
    virtual void Created() {}
    // A control that paints all of itself: no erasing, and Paint on every WM_PAINT.
    virtual bool PaintsItself() const { return false; }
    virtual void Paint(HDC) {}
    // Messages of a particular control; true when handled. The base tells the form of focus changes
    // whatever this returns, and otherwise handles painting and the transparency to the mouse.
    virtual bool ControlMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // What the platform tells the parent about the control, which the form hands on: notifications
    // (WM_COMMAND), drawing and measuring its owner-drawn items, its colours; true when handled.
    virtual bool ParentMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    [[nodiscard]] bool CreateControl();
    void ParentResized();
    // The answer to a WM_CTLCOLOR* message: the text and background in the control's colours.
    LRESULT AnswerColors(WPARAM dc);
    // The window's text once it exists, the caption before.
    std::string WindowText() const;

private:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) final;
    std::string caption_;
    const int id_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool parentColor_ = true;
    bool parentFont_ = true;
    COLORREF color_ = 0;
    COLORREF fontColor_ = 0;
    Brush colorBrush_;
    COLORREF brushColor_ = CLR_INVALID;
};

}  // namespace ui
