// A top-level window with design values set in the derived constructor, then Create().
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/brush_cache.hpp"
#include "ui/component.hpp"
#include "ui/form_controls.hpp"
#include "ui/form_hints.hpp"
#include "ui/handles.hpp"
#include "ui/keyboard_navigation.hpp"
#include "ui/window.hpp"

namespace ui {

class Control;

enum class MouseButton { Left, Right, Middle };
using MouseEvent = std::function<void(Component* sender, MouseButton button, int x, int y)>;

// Calls `event` for a button-down message; false for any other message.
bool DispatchMouseDown(const MouseEvent& event, Component* sender, UINT msg, LPARAM lParam);

enum class BorderStyle { None, Single, Dialog };

class Form : public Component, public Window {
public:
    Form(Component* owner, const char* name, const char* className);
    ~Form() override;
    Form* AsForm() override { return this; }

    // Creates the window hidden, then its controls, then runs FormCreate; false (and no window) when a
    // window could not be created. A failure in FormCreate goes to the standard error report and leaves
    // the window created.
    [[nodiscard]] bool Create();

    const char* ClassName() const { return className_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    COLORREF Color() const { return color_; }
    void SetColor(COLORREF color);
    HBRUSH ColorBrush() const { return brush_.Get(); }
    // A solid brush of any colour, kept for the form's life (controls paint with these).
    HBRUSH BrushOf(COLORREF color) { return brushes_.Of(color); }
    COLORREF FontColor() const { return fontColor_; }
    void SetFontColor(COLORREF color);
    HFONT Font() const;
    void SetBounds(int left, int top, int width, int height);
    RECT Bounds() const;
    int ClientWidth() const;
    int ClientHeight() const;

    void Show();
    void Hide();
    // Paints now what is invalid, children included.
    void Repaint();
    bool Visible() const;
    // Asks FormCloseQuery; when allowed, a modal form ends its loop with ModalResult 2, the main form is
    // destroyed (ending the program's loop), another form is hidden.
    void Close();

    // Shows the form and runs a nested message loop, the thread's other windows disabled, until
    // ModalResult is set (a close sets 2); returns it. WM_QUIT ends the loop and is passed on.
    int ShowModal();
    int ModalResult = 0;
    bool Modal() const { return modal_; }

    MouseEvent OnMouseDown;

    const std::vector<Control*>& Controls() const { return controls_.List(); }
    Control* ActiveControl() const { return controls_.Active(); }
    // The control whose window has the focus, if it is one of this form's.
    Control* FocusedControl() const { return controls_.Focused(); }
    // Moves the focus to the next (or previous) control that takes it by Tab, in tab order.
    void SelectNext(bool forward) { keys_.SelectNext(forward); }

    // Keyboard handling before dispatch (Tab, Enter, Esc, accelerators); true when the key was used.
    static bool PreTranslateKey(const MSG& msg);

    // Design values, read by Create().
    std::string FontName;  // empty: the system's dialog font
    int FontHeight = -13;
    BYTE FontCharset = SHIFTJIS_CHARSET;
    bool ShowHint = false;
    BorderStyle Border = BorderStyle::Single;
    bool ShowInTaskbar = false;
    bool StayOnTop = false;
    // An owned window is kept above its owner, which defeats placing it at the bottom of the Z-order;
    // a window that must go there is a tool window of its own (no taskbar button either way).
    bool OwnedByApplication = true;
    // Made per-monitor DPI aware, its window and controls in real pixels; the others get the awareness of
    // the code that creates them.
    bool PerMonitorDpi = false;
    // The awareness the thread had when a per-monitor form was created, which its commands go back to, so
    // that what they open is made and placed like every other form; null otherwise.
    DPI_AWARENESS_CONTEXT CreatorDpi() const { return creatorDpi_; }

protected:
    virtual void FormCreate() {}
    // The form is about to become visible.
    virtual void FormShow() {}
    virtual bool FormCloseQuery() { return true; }
    // A key pressed in the form that no control took (Esc where no button cancels); true when used.
    virtual bool FormDialogKey(UINT) { return false; }
    // Messages of a particular form; the base handles painting, closing and mouse-down.
    virtual bool FormMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

private:
    friend class Control;
    // A control joins its form as it is made; its child-window identifier.
    int ControlJoined(Control* control) { return controls_.Join(control); }
    void ControlFocused(Control* control) { controls_.SetActive(control); }
    void ControlGone(Control* control);
    // A control moved, resized, showed or hid: a hint over its area follows it.
    void ControlAreaChanged(Control* control) { hints_.ControlAreaChanged(control); }
    // Hands a message about a control to it.
    bool ToControl(Control* c, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) final;
    void OnHandleDestroyed() override;

    const char* className_;
    std::string caption_;
    COLORREF color_ = GetSysColor(COLOR_BTNFACE);
    UniqueHandle<HBRUSH, GdiTraits> brush_;
    int left_ = 0, top_ = 0, width_ = 320, height_ = 240;
    bool modal_ = false;
    DPI_AWARENESS_CONTEXT creatorDpi_ = nullptr;
    FormControls controls_;
    KeyboardNavigation keys_{controls_};
    COLORREF fontColor_ = GetSysColor(COLOR_WINDOWTEXT);
    UniqueHandle<HFONT, GdiTraits> font_;
    BrushCache brushes_;
    FormHints hints_{*this};
};

}  // namespace ui
