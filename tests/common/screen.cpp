#include "common/screen.hpp"

namespace testing_common {

COLORREF ScreenPixel(int x, int y) { return ScreenPixelsAt({{x, y}}).front(); }

std::vector<COLORREF> ScreenPixelsAt(const std::vector<POINT>& points) {
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(nullptr);
    for (POINT p : points) pixels.push_back(GetPixel(dc, p.x, p.y));
    ReleaseDC(nullptr, dc);
    return pixels;
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
    const bool read = GetDIBits(dc, bitmap, 0, h, raw.data(), &bi, DIB_RGB_COLORS) == h;
    ReleaseDC(nullptr, dc);
    std::vector<COLORREF> out;
    if (!read) return out;
    for (DWORD p : raw) out.push_back(RGB((p >> 16) & 255, (p >> 8) & 255, p & 255));
    return out;
}

std::vector<COLORREF> ScreenPixels(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return {};
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    const bool copied = BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    std::vector<COLORREF> px;
    int bw = 0, bh = 0;
    if (copied) px = BitmapPixels(bmp, bw, bh);
    DeleteObject(bmp);
    return px;
}

bool AnyDarkPixel(const RECT& r) {
    for (COLORREF p : ScreenPixels(r))
        if ((GetRValue(p) + GetGValue(p) + GetBValue(p)) / 3 < 80) return true;
    return false;
}

}  // namespace testing_common
