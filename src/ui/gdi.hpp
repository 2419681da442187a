// Small questions asked of GDI and window objects, answered in the framework's own types.
#pragma once
#include <windows.h>

#include <vector>

#include "ui/rect.hpp"

namespace ui {

// Width and height of a bitmap; 0 x 0 for none or for a handle that is no bitmap.
SIZE BitmapSize(HBITMAP bitmap);

inline Rect ToRect(const RECT& r) { return Rect::FromEdges(r.left, r.top, r.right, r.bottom); }
// A window's rectangle on the screen; empty when the window is gone.
Rect WindowRect(HWND wnd);
// Cuts a window to the rectangles, in its own coordinates; none gives it back whole. False when the system
// refuses.
bool ShapeWindow(HWND wnd, const std::vector<RECT>& parts);

}  // namespace ui
