#include "ui/window.hpp"

#include <string>
#include <vector>

#include "ui/application.hpp"
#include "ui/wide.hpp"

namespace ui {

namespace {
// The object whose CreateWindowExW is under way: messages arrive before CreateWindowExW returns.
thread_local Window* creating = nullptr;

// What a detached window keeps instead of its object, so no object being created can claim it.
const char detachedMark = 0;
const LONG_PTR kDetached = reinterpret_cast<LONG_PTR>(&detachedMark);

// The platform procedure behind each superclass this program registered.
struct Superclass {
    ATOM Atom;
    std::string Name;
    WNDPROC Base;
};
std::vector<Superclass>& Superclasses() {
    static std::vector<Superclass> list;
    return list;
}

WNDPROC BaseProcOf(ATOM atom) {
    for (const Superclass& s : Superclasses())
        if (s.Atom == atom) return s.Base;
    return nullptr;
}

WNDPROC BaseProcNamed(const char* name) {
    for (const Superclass& s : Superclasses())
        if (s.Name == name) return s.Base;
    return nullptr;
}

LRESULT CallBase(WNDPROC base, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return base ? CallWindowProcW(base, wnd, msg, wParam, lParam) : DefWindowProcW(wnd, msg, wParam, lParam);
}

// A window with no object to ask: its own class's base still owns its state (a list box frees its rows
// on WM_NCDESTROY).
LRESULT CallBaseOf(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallBase(BaseProcOf(static_cast<ATOM>(GetClassLongPtrW(wnd, GCW_ATOM))), wnd, msg, wParam, lParam);
}

bool RegisterClassOnce(const char* name, UINT style, HICON icon, HCURSOR cursor, WNDPROC proc,
                       const char* superclass) {
    // No class name is longer than an atom holds; Wine's wide calls overrun a buffer with a longer one.
    const std::wstring wideName = Wide(name);
    if (wideName.empty() || wideName.size() > 255) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    HINSTANCE inst = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(inst, wideName.c_str(), &wc)) return true;
    WNDPROC base = nullptr;
    if (superclass) {
        // The platform class's extra bytes, styles and cursor come along; only the procedure is ours.
        if (!GetClassInfoExW(nullptr, Wide(superclass).c_str(), &wc)) return 0;
        base = wc.lpfnWndProc;
        wc.style &= ~CS_GLOBALCLASS;
    } else {
        wc.style = style;
        wc.hIcon = icon;
        wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    }
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.lpszClassName = wideName.c_str();
    ATOM atom = RegisterClassExW(&wc);
    if (atom && base) Superclasses().push_back({atom, name, base});
    return atom != 0;
}
}  // namespace

Window::~Window() { DetachHandle(); }

Window* Window::FromHandle(HWND wnd) {
    if (!wnd) return nullptr;
    WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC));
    if (proc != &Window::WndProc) return nullptr;
    LONG_PTR self = GetWindowLongPtrW(wnd, GWLP_USERDATA);
    return self == kDetached ? nullptr : reinterpret_cast<Window*>(self);
}

bool Window::CreateHandle(const CreateParams& p) {
    if (hwnd_) return true;
    Window* previous = creating;
    if (!p.PlatformClass) {
        if (!RegisterClassOnce(p.ClassName, p.ClassStyle, p.Icon, p.Cursor, &Window::WndProc, p.Superclass))
            return false;
        baseProc_ = p.Superclass ? BaseProcNamed(p.ClassName) : nullptr;
        creating = this;
    }
    HWND wnd = CreateWindowExW(
        p.ExStyle, Wide(p.ClassName).c_str(), Wide(p.Caption).c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
        p.Parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(p.Id)), GetModuleHandleW(nullptr), nullptr);
    creating = previous;
    if (!wnd) return false;
    hwnd_ = wnd;
    platformClass_ = p.PlatformClass;
    return true;
}

void Window::DestroyHandle() {
    HWND wnd = hwnd_;
    if (!wnd) return;
    // A platform-class window sends its WM_NCDESTROY to the platform's procedure, not here.
    if (platformClass_) hwnd_ = nullptr;
    DestroyWindow(wnd);
}

void Window::DetachHandle() {
    HWND wnd = hwnd_;
    if (!wnd) return;
    hwnd_ = nullptr;
    if (!platformClass_) SetWindowLongPtrW(wnd, GWLP_USERDATA, kDetached);
    DestroyWindow(wnd);
}

LRESULT CALLBACK Window::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LONG_PTR data = GetWindowLongPtrW(wnd, GWLP_USERDATA);
    if (data == kDetached) return CallBaseOf(wnd, msg, wParam, lParam);
    auto* self = reinterpret_cast<Window*>(data);
    if (!self && creating) {
        self = creating;
        creating = nullptr;
        self->hwnd_ = wnd;
        SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return CallBaseOf(wnd, msg, wParam, lParam);

    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(wnd, GWLP_USERDATA, kDetached);
        self->hwnd_ = nullptr;
        LRESULT r = CallBase(self->baseProc_, wnd, msg, wParam, lParam);
        self->OnHandleDestroyed();
        return r;
    }
    if (self->muted_) return CallBase(self->baseProc_, wnd, msg, wParam, lParam);
    LRESULT result = 0;
    bool handled = false;
    if (!Application::Instance().Guard([&] { handled = self->OnMessage(msg, wParam, lParam, result); }))
        return 0;
    if (handled) return result;
    return CallBase(self->baseProc_, wnd, msg, wParam, lParam);
}

void Window::ShowTopmost() {
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void Window::SendToBottom(bool show) {
    SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : 0));
}

void Window::PaintNow() { RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

void Window::BringToForeground() { SetForegroundWindow(hwnd_); }

}  // namespace ui
