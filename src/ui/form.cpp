#include "ui/form.hpp"

#include <windowsx.h>

#include "ui/application.hpp"
#include "ui/control.hpp"
#include "ui/dpi_awareness.hpp"
#include "ui/modal_loop.hpp"
#include "ui/wide.hpp"

namespace ui {

bool DispatchMouseDown(const MouseEvent& event, Component* sender, UINT msg, LPARAM lParam) {
    MouseButton b;
    switch (msg) {
        case WM_LBUTTONDOWN: b = MouseButton::Left; break;
        case WM_RBUTTONDOWN: b = MouseButton::Right; break;
        case WM_MBUTTONDOWN: b = MouseButton::Middle; break;
        default: return false;
    }
    if (event) event(sender, b, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return true;
}

Form::Form(Component* owner, const char* name, const char* className)
    : Component(owner, name), className_(className), brush_(CreateSolidBrush(color_)) {}

Form::~Form() {
    // The derived parts are gone already: the window goes now, detached, before the form's own members.
    DetachHandle();
    // The tooltip went with the window that owned it.
    hints_.Forget();
}

bool Form::Create() {
    CreateParams p;
    p.ClassName = className_;
    p.Caption = caption_;
    p.Icon = Application::Instance().Icon();
    switch (Border) {
        case BorderStyle::None: p.Style = WS_POPUP; break;
        case BorderStyle::Single: p.Style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
        case BorderStyle::Dialog:
            p.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
            p.ExStyle = WS_EX_DLGMODALFRAME;
            break;
    }
    p.Style |= WS_CLIPCHILDREN;
    if (ShowInTaskbar) p.ExStyle |= WS_EX_APPWINDOW;
    if (StayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    p.X = left_;
    p.Y = top_;
    p.Width = width_;
    p.Height = height_;
    if (OwnedByApplication)
        p.Parent = Application::Instance().Handle();
    else if (!ShowInTaskbar)
        p.ExStyle |= WS_EX_TOOLWINDOW;
    if (!FontName.empty())
        font_.Reset(CreateFontW(FontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, FontCharset,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                Wide(FontName).c_str()));
    // The window, its controls and whatever FormCreate makes share the awareness.
    DpiAwarenessScope dpi(PerMonitorDpi ? DpiAwarenessScope::PerMonitor : DpiAwarenessScope::Unchanged);
    creatorDpi_ = dpi.Previous();
    if (!CreateHandle(p)) return false;
    TraceStep("window created");
    for (Control* c : controls_.List()) {
        if (!c->Visible() && !c->NeedsWindowWhileHidden()) continue;
        if (!c->CreateControl()) {
            DestroyHandle();
            return false;
        }
    }
    hints_.Arm();
    TraceStep("controls created");
    try {
        FormCreate();
    } catch (const std::exception& e) {
        Application::Instance().HandleException(e);
    }
    TraceStep("form created");
    return true;
}

void Form::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (HandleAllocated()) SetWindowTextW(Handle(), Wide(caption_).c_str());
}

void Form::SetColor(COLORREF color) {
    color_ = color;
    brush_.Reset(CreateSolidBrush(color));
    if (!HandleAllocated()) return;
    InvalidateRect(Handle(), nullptr, TRUE);
    // The form clips its children: those in its colour are not repainted with it.
    for (Control* c : controls_.List())
        if (c->ParentColor()) c->Invalidate();
}

void Form::SetFontColor(COLORREF color) {
    fontColor_ = color;
    if (!HandleAllocated()) return;
    InvalidateRect(Handle(), nullptr, TRUE);
    for (Control* c : controls_.List())
        if (c->ParentFont()) c->Invalidate();
}

HFONT Form::Font() const {
    return font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool Form::ToControl(Control* c, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return c && c->ParentMessage(msg, wParam, lParam, result);
}

void Form::ControlGone(Control* control) {
    controls_.Leave(control);
    hints_.ControlGone(control);
}

bool Form::PreTranslateKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
    Window* root = Window::FromHandle(GetAncestor(msg.hwnd, GA_ROOT));
    Form* form = root ? root->AsForm() : nullptr;
    if (!form) return false;
    if (form->keys_.HandleKey(msg)) return true;
    if (msg.message != WM_KEYDOWN) return false;
    const UINT vk = static_cast<UINT>(msg.wParam);
    Control* focused = form->FocusedControl();
    return !(focused && focused->WantsKey(vk)) && form->FormDialogKey(vk);
}

void Form::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    for (Control* c : controls_.List()) c->ParentResized();
}

RECT Form::Bounds() const {
    RECT r{left_, top_, left_ + width_, top_ + height_};
    if (HandleAllocated()) GetWindowRect(Handle(), &r);
    return r;
}

int Form::ClientWidth() const {
    RECT r{0, 0, width_, height_};
    if (HandleAllocated()) GetClientRect(Handle(), &r);
    return r.right;
}

int Form::ClientHeight() const {
    RECT r{0, 0, width_, height_};
    if (HandleAllocated()) GetClientRect(Handle(), &r);
    return r.bottom;
}

void Form::Show() {
    if (!HandleAllocated()) return;
    if (!IsWindowVisible(Handle())) FormShow();
    ShowWindow(Handle(), SW_SHOW);
}

void Form::Hide() {
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void Form::Repaint() {
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool Form::Visible() const { return HandleAllocated() && IsWindowVisible(Handle()); }

void Form::Close() {
    if (!FormCloseQuery()) return;
    if (modal_) {
        ModalResult = IDCANCEL;
        return;
    }
    if (Application::Instance().MainForm() == this)
        DestroyHandle();
    else
        Hide();
}

int Form::ShowModal() {
    if (!HandleAllocated() || modal_) return 0;
    ModalLoop loop(Handle());
    modal_ = true;
    ModalResult = 0;
    Show();
    SetActiveWindow(Handle());
    if (!FocusedControl()) SelectNext(true);
    // The window and every control are painted now, in one pass, before the loop takes its first message:
    // the window appears whole, not control by control over as many rounds.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (!loop.Run([this] { return ModalResult != 0 || !HandleAllocated(); }) && ModalResult == 0)
        ModalResult = IDCANCEL;
    modal_ = false;
    loop.EnableOthers();
    Hide();
    loop.Reactivate();
    return ModalResult;
}

bool Form::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    hints_.Watch(msg, wParam, lParam);
    if (FormMessage(msg, wParam, lParam, result)) return true;
    // Its controls ask the form first, so one answer covers the whole window. A box asking something
    // meanwhile keeps the arrow.
    if (msg == WM_SETCURSOR && Application::Instance().Waiting() && !modal_) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
        result = TRUE;
        return true;
    }
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(Handle(), &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, brush_.Get());
            result = 1;
            return true;
        }
        case WM_CLOSE: Close(); return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            // A combo box passes on what its edit asks, naming the edit rather than itself.
            if (Control* c = controls_.Owning(reinterpret_cast<HWND>(lParam))) {
                if (c->ParentMessage(msg, wParam, lParam, result)) return true;
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, c->FontColor());
                SetBkColor(dc, c->Color());
                result = reinterpret_cast<LRESULT>(BrushOf(c->Color()));
                return true;
            }
            return false;
        case WM_COMMAND:
            // Platform controls report their focus this way.
            if (HIWORD(wParam) == EN_SETFOCUS)
                if (Control* c = controls_.Of(reinterpret_cast<HWND>(lParam))) ControlFocused(c);
            return ToControl(controls_.Of(reinterpret_cast<HWND>(lParam)), msg, wParam, lParam, result);
        case WM_DRAWITEM:
            return ToControl(controls_.Of(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem), msg, wParam,
                             lParam, result);
        // Sent while the control is being created, before its window is known by handle.
        case WM_MEASUREITEM:
            return ToControl(controls_.OfId(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID), msg, wParam,
                             lParam, result);
        default: return DispatchMouseDown(OnMouseDown, this, msg, lParam);
    }
}

void Form::OnHandleDestroyed() {
    hints_.Forget();
    // Controls of the platform's classes went with the window without a word to their objects.
    for (Control* c : controls_.List()) c->ForgetHandle();
    if (Application::Instance().MainForm() == this) Application::Instance().Terminate();
}

}  // namespace ui
