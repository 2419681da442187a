// The screen area the taskbar leaves free, shared by every box that keeps itself on screen.
#pragma once

namespace obsc32 {

extern int WorkLeft, WorkTop, WorkWidth, WorkHeight;

// True when a taskbar was found; the four values are set either way (the full screen without one).
bool GetWorkArea();

// Forgets the remembered taskbar (its window may be gone).
void ForgetTaskbar();

}  // namespace obsc32
