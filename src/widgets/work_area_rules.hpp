// How a window found at a screen corner is judged to be the taskbar, and the work area it leaves.
#pragma once
#include <optional>

#include "ui/rect.hpp"

namespace obsc32 {

// Centred on the screen along one axis, not at the screen's edge, and no larger than half the other axis
// (plus 2). The title test is the caller's.
bool IsTaskbarCandidate(const ui::Rect& r, int screenW, int screenH);

// The area the bar leaves free; none when that area would be empty.
std::optional<ui::Rect> WorkAreaBesideTaskbar(const ui::Rect& bar, int screenW, int screenH);

}  // namespace obsc32
