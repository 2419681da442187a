// What a test may see of a popup menu while it is up: the menu handle it is tracking.
#pragma once
#include <windows.h>

#include "ui/menu.hpp"

namespace ui {

class PopupMenuProbe {
public:
    // The menu on screen, or null when the popup menu is not tracking one.
    static HMENU TrackingMenu(const PopupMenu& menu) { return menu.tracking_; }
};

}  // namespace ui
