#include "ui/panel.hpp"

namespace ui {

void Panel::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    FillRect(dc, &r, Parent->BrushOf(Color()));
    DrawEdge(dc, &r, Edge, BF_RECT);
}

}  // namespace ui
