#include "common/plain_window.hpp"

#include "common/wait.hpp"

namespace testing_common {

LRESULT CALLBACK PlainWindow::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        const auto* self = reinterpret_cast<const PlainWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
        RECT r;
        GetClientRect(wnd, &r);
        HBRUSH brush = CreateSolidBrush(self ? self->colour_ : RGB(255, 255, 255));
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

PlainWindow::PlainWindow(const RECT& b, COLORREF colour, DWORD exStyle) : colour_(colour) {
    static const char* className = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = "TestingPlainWindow";
        RegisterClassA(&wc);
        return wc.lpszClassName;
    }();
    wnd_ = CreateWindowExA(exStyle, className, "plain", WS_POPUP | WS_BORDER, b.left, b.top, b.right - b.left,
                           b.bottom - b.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

PlainWindow::~PlainWindow() {
    DestroyWindow(wnd_);
    PumpMessages();
}

void PlainWindow::Show(bool activate) {
    ShowWindow(wnd_, activate ? SW_SHOW : SW_SHOWNOACTIVATE);
    if (activate) SetForegroundWindow(wnd_);
    UpdateWindow(wnd_);
}

void PlainWindow::Hide() { ShowWindow(wnd_, SW_HIDE); }

void PlainWindow::SetColour(COLORREF colour) {
    colour_ = colour;
    InvalidateRect(wnd_, nullptr, TRUE);
    UpdateWindow(wnd_);
}

}  // namespace testing_common
