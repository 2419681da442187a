#include "ui/form.hpp"

#include <windowsx.h>

#include "ui/application.hpp"
#include "ui/control.hpp"

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

Form::Form(Component* owner, std::string name, const char* className)
    : Component(owner, std::move(name)), className_(className), brush_(CreateSolidBrush(color_)) {}

Form::~Form() = default;

void Form::Create() {
    CreateParams p;
    p.ClassName = className_;
    p.Caption = caption_;
    p.Icon = Application::Instance().Icon();
    switch (Border) {
        case BorderStyle::None: p.Style = WS_POPUP; break;
        case BorderStyle::Single: p.Style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
        case BorderStyle::Dialog: p.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU; p.ExStyle = WS_EX_DLGMODALFRAME; break;
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
    CreateHandle(p);
    for (Control* c : controls_) c->CreateControl();
    try {
        FormCreate();
    } catch (const std::exception& e) {
        Application::Instance().HandleException(e);
    }
}

void Form::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (HandleAllocated()) SetWindowTextA(Handle(), caption_.c_str());
}

void Form::SetColor(COLORREF color) {
    color_ = color;
    brush_.Reset(CreateSolidBrush(color));
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

void Form::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    for (Control* c : controls_) c->ParentResized();
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
    if (HandleAllocated()) ShowWindow(Handle(), SW_SHOW);
}

void Form::Hide() {
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
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

namespace {
struct DisabledWindows {
    HWND except;
    std::vector<HWND> list;
};
BOOL CALLBACK DisableOne(HWND wnd, LPARAM lp) {
    auto* d = reinterpret_cast<DisabledWindows*>(lp);
    if (wnd != d->except && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
        EnableWindow(wnd, FALSE);
        d->list.push_back(wnd);
    }
    return TRUE;
}
}  // namespace

int Form::ShowModal() {
    if (!HandleAllocated() || modal_) return 0;
    HWND active = GetActiveWindow();
    DisabledWindows disabled{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));
    modal_ = true;
    ModalResult = 0;
    Show();
    SetActiveWindow(Handle());
    MSG msg;
    while (ModalResult == 0 && HandleAllocated()) {
        BOOL r = GetMessageA(&msg, nullptr, 0, 0);
        if (r == 0 || r == -1) {
            // The program is ending: let the outer loop see the quit too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            if (ModalResult == 0) ModalResult = IDCANCEL;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    modal_ = false;
    for (HWND w : disabled.list)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    Hide();
    if (active && IsWindow(active)) SetActiveWindow(active);
    return ModalResult;
}

bool Form::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (FormMessage(msg, wParam, lParam, result)) return true;
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(Handle(), &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, brush_.Get());
            result = 1;
            return true;
        }
        case WM_CLOSE:
            Close();
            return true;
        default:
            return DispatchMouseDown(OnMouseDown, this, msg, lParam);
    }
}

void Form::OnHandleDestroyed() {
    if (Application::Instance().MainForm() == this) Application::Instance().Terminate();
}

}  // namespace ui
