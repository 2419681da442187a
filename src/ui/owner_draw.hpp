// Drawing one row of an owner-drawn list: the row is filled in its brush, the owner draws the rest.
#pragma once
#include <windows.h>

#include <functional>

#include "ui/component.hpp"

namespace ui {

class Control;

struct DrawItemArgs {
    HDC Dc;
    int Index;
    RECT Rect;
    bool Selected;
    // The row's brush (the selection colour or the control's) and text colour, already set in Dc.
    COLORREF BackColor;
    COLORREF TextColor;
};
using DrawItemEvent = std::function<void(Component* sender, const DrawItemArgs& args)>;

// Fills the row, lets `event` draw it (the control's font selected, text drawn transparently) and marks
// the focus; a row with no item (an empty list's focus) is only filled.
void DrawOwnerItem(Control& control, const DRAWITEMSTRUCT& item, const DrawItemEvent& event);
// A list's measuring and drawing of its rows, all `itemHeight` high; true when `msg` was one of them.
bool OwnerDrawMessage(Control& control, int itemHeight, const DrawItemEvent& event, UINT msg, LPARAM lParam,
                      LRESULT& result);

}  // namespace ui
