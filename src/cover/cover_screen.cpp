// The cover and the screen's size: it takes the whole screen when made, and again whenever the display changes.
#include "cover/TOBSCURIO32VANTE.hpp"
#include "ui/handles.hpp"

namespace obsc32 {

void TOBSCURIO32VANTE::FitScreen() {
    // Bounds only: shown or hidden, topmost or at the bottom, the cover stays as it was placed.
    SetBounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    ui::WindowDC dc = ui::WindowDC::Of(Handle());
    ColorDepth = GetDeviceCaps(dc.Get(), BITSPIXEL);
}

void TOBSCURIO32VANTE::DisplayChanged() {
    FitScreen();
    // The capture is not taken again: it shows stretched until the next one. Black and the wallpaper at its
    // natural size or stretched follow the image's new size when painted; only a composed one is made anew.
    if (Face == 2) faces_.Recompose(WallpaperImagePath, Position(), ColorDepth);
    Image1.Invalidate();
}

}  // namespace obsc32
