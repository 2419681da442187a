// The screen area the taskbar leaves free, shared by every box that keeps itself on screen.
#pragma once
#include "ui/rect.hpp"

namespace obsc32 {

struct WorkArea {
    ui::Rect Area;  // the full screen when no taskbar was found
    bool TaskbarFound = false;
};

// Looks for the taskbar at the screen's corners, or uses the one found before while its window lives.
WorkArea GetWorkArea();

}  // namespace obsc32
