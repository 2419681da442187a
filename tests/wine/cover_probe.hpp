// The in-process tests' friend of the cover: reads and arranges what the cover keeps to itself and no window
// shows.
#pragma once
#include <string>

#include "cover/TOBSCURIO32VANTE.hpp"

namespace obsc32 {

class CoverProbe {
public:
    explicit CoverProbe(TOBSCURIO32VANTE& cover) : c_(cover) {}

    int Face() const { return c_.Face; }
    HBITMAP CaptureBitmap() const { return c_.CaptureBitmap ? c_.CaptureBitmap->Get() : nullptr; }
    const std::string& WallpaperImagePath() const { return c_.WallpaperImagePath; }
    const std::string& BmpFilePath() const { return c_.BmpFilePath; }
    ui::MenuItem* CurrentPositionItem() const { return c_.CurrentPositionItem; }
    int ColorDepth() const { return c_.ColorDepth; }
    const std::string& ProgramsShortcutPath() const { return c_.ProgramsShortcutPath; }
    const std::string& DesktopShortcutPath() const { return c_.DesktopShortcutPath; }
    const std::string& StartupShortcutPath() const { return c_.StartupShortcutPath; }
    int MenuBusyFlag() const { return c_.MenuBusyFlag; }
    bool TrayHandling() const { return c_.TrayHandling; }
    // The tray icon record; null once the close has released it.
    const NOTIFYICONDATAA* TrayRecord() const { return c_.tray_ ? &c_.tray_->record_ : nullptr; }
    // The palette of the composed picture the cover shows.
    HPALETTE PictureColors() const { return c_.faces_.palette_.Get(); }

    // Arranging what a test starts from, where the menus would do more than the test wants.
    void SetWallpaperImagePath(const std::string& path) { c_.WallpaperImagePath = path; }
    void SetBmpFilePath(const std::string& path) { c_.BmpFilePath = path; }
    // The position item chosen without drawing the wallpaper, as the stored "ICHI" does.
    void SetPosition(WallpaperPosition position) {
        c_.CurrentPositionItem->Checked = false;
        c_.CurrentPositionItem = c_.P_KABE0.Items[static_cast<size_t>(position)];
        c_.CurrentPositionItem->Checked = true;
    }
    // The faces then act as on a screen of that depth.
    void SetColorDepth(int bits) { c_.ColorDepth = bits; }

private:
    TOBSCURIO32VANTE& c_;
};

}  // namespace obsc32
