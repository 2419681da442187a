#include "wine/fixture.hpp"

#include "app/product.hpp"
#include "ui/registry.hpp"

namespace testing_wine {

bool PumpUntil(const std::function<bool()>& done, int ms) {
    DWORD end = GetTickCount() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        if (static_cast<int>(GetTickCount() - end) >= 0) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(int ms) { PumpUntil([] { return false; }, ms); }

void DeleteProductKeys() {
    ui::Registry reg(HKEY_CURRENT_USER);
    reg.DeleteKey(obsc32::kMakerKey);
}

void SetProductValue(const char* name, const std::string& value) {
    ui::Registry reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(obsc32::ProductKey(), true));
    reg.WriteString(name, value);
}

void SetProductDword(const char* name, DWORD value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, obsc32::ProductKey().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

std::string ReadProductValue(const char* name, DWORD* type) {
    if (type) *type = REG_NONE;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, obsc32::ProductKey().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    char buf[1024] = {};
    DWORD size = sizeof buf - 1, t = REG_NONE;
    LONG r = RegQueryValueExA(key, name, nullptr, &t, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS) return {};
    if (type) *type = t;
    return buf;
}

std::vector<std::string> ProductValueNames() {
    ui::Registry reg(HKEY_CURRENT_USER);
    reg.OpenKey(obsc32::ProductKey(), false);
    return reg.GetValueNames();
}

COLORREF ScreenPixel(int x, int y) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return c;
}

void MouseInput(DWORD flags, int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
    Sleep(60);
}

void ClickAtPoint(int x, int y, DWORD down, DWORD up) {
    MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x > 40 ? x - 30 : x + 30, y > 60 ? y - 40 : y + 40);
    // Wine's desktop may report the old pointer position just after a move; a second move settles it.
    MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    Sleep(40);
    MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    MouseInput(down);
    MouseInput(up);
}

void ClickAt(HWND wnd) {
    RECT r;
    GetWindowRect(wnd, &r);
    ClickAtPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

std::vector<COLORREF> BitmapPixels(HBITMAP bitmap, int& w, int& h) {
    BITMAP bm{};
    GetObjectA(bitmap, sizeof bm, &bm);
    w = bm.bmWidth;
    h = bm.bmHeight;
    std::vector<DWORD> raw(static_cast<size_t>(w) * h);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, h, raw.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    std::vector<COLORREF> out(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) out[i] = RGB((raw[i] >> 16) & 255, (raw[i] >> 8) & 255, raw[i] & 255);
    return out;
}

std::vector<COLORREF> ScreenPixels(const RECT& r) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    int w, h;
    std::vector<COLORREF> px = BitmapPixels(bmp, w, h);
    DeleteObject(bmp);
    return px;
}

bool IsAtBottom(HWND wnd) {
    for (HWND w = GetWindow(wnd, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsWindowVisible(w)) return false;
    return true;
}

BoxAnswerer::BoxAnswerer() {
    InitializeCriticalSection(&lock_);
    thread_ = std::thread([this] { Run(); });
}

BoxAnswerer::~BoxAnswerer() {
    stop_ = true;
    thread_.join();
    DeleteCriticalSection(&lock_);
}

std::string BoxAnswerer::Title() const {
    EnterCriticalSection(&lock_);
    std::string t = title_;
    LeaveCriticalSection(&lock_);
    return t;
}

std::string BoxAnswerer::Text() const {
    EnterCriticalSection(&lock_);
    std::string t = text_;
    LeaveCriticalSection(&lock_);
    return t;
}

namespace {
struct Found {
    HWND box = nullptr;
};
BOOL CALLBACK FindBox(HWND wnd, LPARAM lp) {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    char cls[32] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (pid == GetCurrentProcessId() && IsWindowVisible(wnd) && std::string(cls) == "#32770") {
        reinterpret_cast<Found*>(lp)->box = wnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

void BoxAnswerer::Run() {
    while (!stop_) {
        Found f;
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&f));
        if (f.box) {
            char title[256] = {}, text[1024] = {};
            GetWindowTextA(f.box, title, sizeof title);
            // The text is the static control with id 0xFFFF in the platform's box.
            GetDlgItemTextA(f.box, 0xFFFF, text, sizeof text);
            EnterCriticalSection(&lock_);
            title_ = title;
            text_ = text;
            LeaveCriticalSection(&lock_);
            ++count_;
            HWND button = FindWindowExA(f.box, nullptr, "Button", nullptr);
            if (button)
                PostMessageA(f.box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                             reinterpret_cast<LPARAM>(button));
            for (int i = 0; i < 200 && IsWindow(f.box); ++i) Sleep(10);
        }
        Sleep(10);
    }
}

}  // namespace testing_wine
