#include "ui/form.hpp"

#include <windowsx.h>

#include <algorithm>

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
    if (OwnerHandle)
        p.Parent = OwnerHandle;
    else if (OwnedByApplication)
        p.Parent = Application::Instance().Handle();
    else if (!ShowInTaskbar)
        p.ExStyle |= WS_EX_TOOLWINDOW;
    if (!FontName.empty())
        font_.Reset(CreateFontA(FontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, FontCharset,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                FontName.c_str()));
    if (!CreateHandle(p)) return false;
    TraceStep("window created");
    for (Control* c : controls_) {
        if (!c->Visible() && !c->NeedsWindowWhileHidden()) continue;
        if (!c->CreateControl()) {
            DestroyHandle();
            return false;
        }
    }
    hintsPending_ = true;
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
    if (HandleAllocated()) SetWindowTextA(Handle(), caption_.c_str());
}

void Form::SetColor(COLORREF color) {
    color_ = color;
    brush_.Reset(CreateSolidBrush(color));
    if (!HandleAllocated()) return;
    InvalidateRect(Handle(), nullptr, TRUE);
    // The form clips its children: those in its colour are not repainted with it.
    for (Control* c : controls_)
        if (c->ParentColor()) c->Invalidate();
}

HBRUSH Form::BrushOf(COLORREF color) {
    auto& b = brushes_[color];
    if (!b) b.Reset(CreateSolidBrush(color));
    return b.Get();
}

void Form::SetFontColor(COLORREF color) {
    fontColor_ = color;
    if (!HandleAllocated()) return;
    InvalidateRect(Handle(), nullptr, TRUE);
    for (Control* c : controls_)
        if (c->ParentFont()) c->Invalidate();
}

HFONT Form::Font() const {
    return font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

Control* Form::ControlOf(HWND wnd) const {
    for (Control* c : controls_)
        if (c->HandleAllocated() && c->Handle() == wnd) return c;
    return nullptr;
}

Control* Form::ControlOwning(HWND wnd) const {
    if (!wnd) return nullptr;
    Control* c = ControlOf(wnd);
    return c ? c : ControlOf(GetParent(wnd));
}

Control* Form::ControlOfId(UINT id) const {
    for (Control* c : controls_)
        if (static_cast<UINT>(c->ControlId()) == id) return c;
    return nullptr;
}

bool Form::ToControl(Control* c, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return c && c->ParentMessage(msg, wParam, lParam, result);
}

Control* Form::FocusedControl() const { return ControlOwning(GetFocus()); }

void Form::ControlFocused(Control* control) {
    activeControl_ = control;
    for (Control* c : controls_) c->FocusChanged(control);
}

namespace {
UINT_PTR AreaId(Control* c) { return reinterpret_cast<UINT_PTR>(c); }
bool HasAreaHint(const Control* c) { return c->TransparentToMouse() && !c->Hint.empty(); }
Rect AreaOf(const Control* c) {
    return c->Visible() ? Rect{c->Left(), c->Top(), c->Width(), c->Height()} : Rect{};
}
}  // namespace

void Form::ControlGone(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (activeControl_ == control) activeControl_ = nullptr;
    if (!hints_.Active() || control->Hint.empty()) return;
    // Called from the control's destructor, where it can no longer say which kind of hint it had.
    hints_.Remove(Handle(), AreaId(control));
    if (control->HandleAllocated()) hints_.Remove(Handle(), reinterpret_cast<UINT_PTR>(control->Handle()));
}

void Form::ControlAreaChanged(Control* control) {
    if (hints_.Active() && HasAreaHint(control)) hints_.MoveArea(Handle(), AreaId(control), AreaOf(control));
}

void Form::SelectNext(bool forward) {
    std::vector<Control*> order;
    for (Control* c : controls_)
        if (c->TabStop && c->CanFocus()) order.push_back(c);
    if (order.empty()) return;
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->TabOrder < b->TabOrder; });
    auto at = std::find(order.begin(), order.end(), FocusedControl());
    size_t i = at == order.end() ? (forward ? order.size() - 1 : 0) : static_cast<size_t>(at - order.begin());
    i = forward ? (i + 1) % order.size() : (i + order.size() - 1) % order.size();
    order[i]->SetFocus();
}

bool Form::PreTranslateKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
    Window* root = Window::FromHandle(GetAncestor(msg.hwnd, GA_ROOT));
    Form* form = root ? root->AsForm() : nullptr;
    return form && form->HandleKey(msg);
}

bool Form::HandleKey(const MSG& msg) {
    Control* focused = FocusedControl();
    bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
    if (msg.message == WM_KEYDOWN) {
        UINT vk = static_cast<UINT>(msg.wParam);
        if (vk != VK_TAB && vk != VK_RETURN && vk != VK_ESCAPE) return false;
        if (focused && focused->WantsKey(vk)) return false;
        if (vk == VK_TAB) {
            if (ctrl || alt) return false;
            SelectNext(GetKeyState(VK_SHIFT) >= 0);
            return true;
        }
        for (Control* c : controls_)
            if (c->DialogKey(vk)) return true;
        return false;
    }
    // Characters: accelerators, unless the focused control takes characters itself.
    if (msg.message == WM_CHAR && focused && focused->WantsKey(WM_CHAR)) return false;
    char ch = static_cast<char>(msg.wParam);
    for (Control* c : controls_)
        if (c->DialogChar(ch)) return true;
    return false;
}

void Form::CreateHints() {
    auto hinted = [](Control* c) { return c->ShowHint && !c->Hint.empty(); };
    bool any = std::any_of(controls_.begin(), controls_.end(), hinted);
    // Without its tooltip the form only goes without hints.
    if (!any || !ShowHint || !hints_.Create(Handle())) return;
    for (Control* c : controls_) {
        if (!hinted(c) || !c->HandleAllocated()) continue;
        // The mouse never reaches a control it passes through, so its hint belongs to the form's area.
        if (HasAreaHint(c))
            hints_.AddArea(Handle(), AreaId(c), AreaOf(c), c->Hint);
        else
            hints_.AddWindow(Handle(), c->Handle(), c->Hint);
    }
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
    if (!FocusedControl()) SelectNext(true);
    // The window and every control are painted now, in one pass, before the loop takes its first message:
    // the window appears whole, not control by control over as many rounds.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG msg;
    while (ModalResult == 0 && HandleAllocated()) {
        BOOL r = GetMessageA(&msg, nullptr, 0, 0);
        if (r == 0 || r == -1) {
            // The program is ending: let the outer loop see the quit too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            if (ModalResult == 0) ModalResult = IDCANCEL;
            break;
        }
        if (Form::PreTranslateKey(msg)) continue;
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
    // Asked before the mouse message itself reaches the form or the control (whose window the tooltip then
    // watches), so that message already counts.
    if (msg == WM_SETCURSOR && hintsPending_ && HIWORD(lParam) != 0) {
        hintsPending_ = false;
        CreateHints();
    }
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) hints_.Relay(Handle(), msg, wParam, lParam);
    if (FormMessage(msg, wParam, lParam, result)) return true;
    // Its controls ask the form first, so one answer covers the whole window. A box asking something
    // meanwhile keeps the arrow.
    if (msg == WM_SETCURSOR && Application::Instance().Waiting() && !modal_) {
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
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
            if (Control* c = ControlOwning(reinterpret_cast<HWND>(lParam))) {
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
                if (Control* c = ControlOf(reinterpret_cast<HWND>(lParam))) ControlFocused(c);
            return ToControl(ControlOf(reinterpret_cast<HWND>(lParam)), msg, wParam, lParam, result);
        case WM_DRAWITEM:
            return ToControl(ControlOf(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem), msg, wParam,
                             lParam, result);
        // Sent while the control is being created, before its window is known by handle.
        case WM_MEASUREITEM:
            return ToControl(ControlOfId(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID), msg, wParam,
                             lParam, result);
        default: return DispatchMouseDown(OnMouseDown, this, msg, lParam);
    }
}

void Form::OnHandleDestroyed() {
    hints_.Forget();
    // Controls of the platform's classes went with the window without a word to their objects.
    for (Control* c : controls_) c->ForgetHandle();
    if (Application::Instance().MainForm() == this) Application::Instance().Terminate();
}

}  // namespace ui
