#include "ui/gdi.hpp"

#include "ui/handles.hpp"

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

bool ShapeWindow(HWND wnd, const std::vector<RECT>& parts) {
    if (parts.empty()) return SetWindowRgn(wnd, nullptr, TRUE) != 0;
    Region shape(CreateRectRgn(0, 0, 0, 0));
    for (const RECT& r : parts) {
        Region part(CreateRectRgnIndirect(&r));
        if (!shape || !part || CombineRgn(shape.Get(), shape.Get(), part.Get(), RGN_OR) == ERROR)
            return false;
    }
    // The window owns the region once it takes it.
    if (!SetWindowRgn(wnd, shape.Get(), TRUE)) return false;
    (void)shape.Release();
    return true;
}

}  // namespace ui
