#include "wine/fixture.hpp"

#include "settings/product.hpp"
#include "ui/registry.hpp"

namespace testing_wine {

void DeleteProductKeys() {
    ui::Registry reg(HKEY_CURRENT_USER);
    reg.DeleteKey(obsc32::MakerKey);
}

void SetProductValue(const char* name, const std::string& value) {
    ui::Registry reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(obsc32::ProductKey, true).Ok());
    ASSERT_TRUE(reg.WriteString(name, value).Ok());
}

void SetProductDword(const char* name, DWORD value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, obsc32::ProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

std::string ReadProductValue(const char* name, DWORD* type) {
    if (type) *type = REG_NONE;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, obsc32::ProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
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
    (void)reg.OpenKey(obsc32::ProductKey, false);
    return reg.GetValueNames();
}

COLORREF ScreenPixel(int x, int y) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return c;
}

bool ClickAt(HWND wnd) {
    RECT r;
    GetWindowRect(wnd, &r);
    return input::Click({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
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
    for (size_t i = 0; i < raw.size(); ++i)
        out[i] = RGB((raw[i] >> 16) & 255, (raw[i] >> 8) & 255, raw[i] & 255);
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

}  // namespace testing_wine
