// Baseline for the hide-latency benchmark: the least a tray program must do to black out the screen from its
// tray menu. Its menus have the shape of the cover's (what closing them uncovers is the same): the left button's
// first item shows a black full-screen popup on top, the right button's fifth item shows it at the bottom; a
// right click on the popup hides it. Started with "show", it shows the popup
// on top at once (what a shown black screen costs the memory benchmark); with "hotkey", Ctrl+Alt+B shows it on
// top and hides it again, as the cover's key does. After a display change the popup takes the new screen's
// size, the least any cover must do (the display benchmark's baseline).
#include <windows.h>
#include <shellapi.h>

#include <cstring>

namespace {

constexpr char kClassName[] = "ObscBenchBareCover";
constexpr UINT kTrayCallback = WM_USER + 102;  // as the cover's
HWND popup;

LRESULT CALLBACK PopupProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_RBUTTONDOWN) ShowWindow(hwnd, SW_HIDE);
    if (msg == WM_DISPLAYCHANGE)
        SetWindowPos(hwnd, nullptr, 0, 0, LOWORD(lp), HIWORD(lp), SWP_NOZORDER | SWP_NOACTIVATE);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case kTrayCallback: {
            if (lp != WM_LBUTTONDOWN && lp != WM_RBUTTONDOWN) return 0;
            // "-" a separator, "t" on top, "b" at the bottom, "." nothing.
            const char* shape = lp == WM_LBUTTONDOWN ? "t..-.-." : "...-.b-.-..-.-..-..-.-.-.-.";
            HMENU menu = CreatePopupMenu();
            for (const char* c = shape; *c; ++c)
                AppendMenuA(menu, *c == '-' ? MF_SEPARATOR : MF_STRING,
                            *c == 't'   ? 1
                            : *c == 'b' ? 2
                                        : 3,
                            *c == 't'   ? "top"
                            : *c == 'b' ? "bottom"
                                        : "nothing");
            POINT pt;
            GetCursorPos(&pt);
            SetForegroundWindow(hwnd);
            const UINT chosen =
                TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, pt.x, pt.y, 0, hwnd, nullptr);
            DestroyMenu(menu);
            if (chosen == 1) {
                SetWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
                SetForegroundWindow(popup);
            } else if (chosen == 2) {
                SetWindowPos(popup, HWND_BOTTOM, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            }
            return 0;
        }
        case WM_HOTKEY:
            if (IsWindowVisible(popup)) {
                ShowWindow(popup, SW_HIDE);
            } else {
                SetWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
                SetForegroundWindow(popup);
            }
            return 0;
        case WM_CLOSE: {
            NOTIFYICONDATAA nid{};
            nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
            nid.hWnd = hwnd;
            nid.uID = 1;
            Shell_NotifyIconA(NIM_DELETE, &nid);
            DestroyWindow(hwnd);
            return 0;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    wc.lpfnWndProc = PopupProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "ObscBenchBarePopup";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowA(kClassName, kClassName, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              instance, nullptr);
    popup = CreateWindowExA(WS_EX_TOOLWINDOW, "ObscBenchBarePopup", "", WS_POPUP, 0, 0,
                            GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), hwnd, nullptr,
                            instance, nullptr);
    if (!hwnd || !popup) return 1;
    NOTIFYICONDATAA nid{};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = hwnd;
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = kTrayCallback;
    nid.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    std::strcpy(nid.szTip, kClassName);
    Shell_NotifyIconA(NIM_ADD, &nid);
    if (std::strstr(commandLine, "hotkey"))
        RegisterHotKey(hwnd, 1, MOD_CONTROL | MOD_ALT | 0x4000 /* MOD_NOREPEAT */, 'B');
    if (std::strstr(commandLine, "show"))
        SetWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
