#include "ui/owner_draw.hpp"

#include "ui/control.hpp"
#include "ui/handles.hpp"

namespace ui {

void DrawOwnerItem(Control& control, const DRAWITEMSTRUCT& item, const DrawItemEvent& event) {
    const int index = static_cast<int>(item.itemID);
    const bool selected = index >= 0 && (item.itemState & ODS_SELECTED);
    const COLORREF back = selected ? GetSysColor(COLOR_HIGHLIGHT) : control.Color();
    const COLORREF text = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : control.FontColor();
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, control.Parent->BrushOf(back));
    if (index >= 0 && event) {
        SelectObjectScope font(dc, control.Parent->Font());
        SetTextColor(dc, text);
        SetBkColor(dc, back);
        SetBkMode(dc, TRANSPARENT);
        event(&control, DrawItemArgs{dc, index, r, selected, back, text});
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

bool OwnerDrawMessage(Control& control, int itemHeight, const DrawItemEvent& event, UINT msg, LPARAM lParam,
                      LRESULT& result) {
    switch (msg) {
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(itemHeight);
            result = TRUE;
            return true;
        case WM_DRAWITEM:
            DrawOwnerItem(control, *reinterpret_cast<DRAWITEMSTRUCT*>(lParam), event);
            result = TRUE;
            return true;
        default: return false;
    }
}

}  // namespace ui
