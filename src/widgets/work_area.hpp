// The screen area the taskbar leaves free, shared by every box that keeps itself on screen.
#pragma once
#include <windows.h>

#include "ui/rect.hpp"

namespace ui {
class Form;
}

namespace obsc32 {

struct WorkArea {
    ui::Rect Area;  // the full screen when no taskbar was found
    bool TaskbarFound = false;
};

// Looks for the taskbar at the screen's corners, or uses the one found before while its window lives.
WorkArea GetWorkArea();

// Where a box of this outer size goes: centred over `source`, else the main window, else the work area,
// and kept inside the work area.
ui::Rect PlaceOverMainWindow(HWND source, int width, int height);
// Paints the main window again at once, when there is one: a box that went leaves no trace on it.
void RepaintMainWindow();
// Gives the form the main window's colour and font colour, when there is a main window other than the form;
// whether either changed.
bool FollowMainWindowColours(ui::Form& form);

}  // namespace obsc32
