#include "ui/gdi.hpp"

namespace ui {

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

Rect WindowRect(HWND wnd) {
    RECT r{};
    if (!GetWindowRect(wnd, &r)) return Rect{};
    return ToRect(r);
}

}  // namespace ui
