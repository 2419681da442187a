#include "ui/window.hpp"

#include "ui/application.hpp"
#include "ui/component.hpp"

namespace ui {

namespace {
// The object whose CreateWindowExA is under way: messages arrive before CreateWindowExA returns.
thread_local Window* creating = nullptr;

void RegisterClassOnce(const char* name, UINT style, HICON icon, HCURSOR cursor, WNDPROC proc) {
    WNDCLASSEXA wc{};
    HINSTANCE inst = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(inst, name, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.hIcon = icon;
    wc.hCursor = cursor ? cursor : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = name;
    if (!RegisterClassExA(&wc)) throw Error(std::string("RegisterClass failed: ") + name);
}
}  // namespace

Window::~Window() { DestroyHandle(); }

Window* Window::FromHandle(HWND wnd) {
    if (!wnd) return nullptr;
    WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC));
    if (proc != &Window::WndProc) return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
}

void Window::CreateHandle(const CreateParams& p) {
    if (hwnd_) return;
    Window* previous = creating;
    if (!p.PlatformClass) {
        RegisterClassOnce(p.ClassName, p.ClassStyle, p.Icon, p.Cursor, &Window::WndProc);
        creating = this;
    }
    HWND wnd = CreateWindowExA(p.ExStyle, p.ClassName, p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                               p.Height, p.Parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    creating = previous;
    if (!wnd) throw Error(std::string("CreateWindow failed: ") + p.ClassName);
    hwnd_ = wnd;
}

void Window::DestroyHandle() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK Window::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!self && creating) {
        self = creating;
        creating = nullptr;
        self->hwnd_ = wnd;
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcA(wnd, msg, wParam, lParam);

    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        LRESULT r = DefWindowProcA(wnd, msg, wParam, lParam);
        self->OnHandleDestroyed();
        return r;
    }
    // No exception may cross back into the system: it goes to the standard error report.
    try {
        LRESULT result = 0;
        if (self->OnMessage(msg, wParam, lParam, result)) return result;
    } catch (const std::exception& e) {
        Application::Instance().HandleException(e);
        return 0;
    } catch (...) {
        Application::Instance().ShowErrorReport("Unknown error");
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace ui
