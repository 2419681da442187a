// The cover's faces as the commands put them up: black, the screen capture, or the wallpaper at one of seven
// positions from the system's wallpaper or a BMP file; and the paste of what the cover shows as the desktop
// wallpaper. What they keep (the capture, the source, the position) is in plain fields the menus show.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "cover/cover_faces.hpp"
#include "settings/run_context.hpp"
#include "settings/setting_values.hpp"
#include "ui/image.hpp"
#include "ui/open_dialog.hpp"
#include "ui/prompter.hpp"

namespace obsc32 {

inline constexpr char kBmpLoadCancelled[] = "ＢＭＰロードを、中止しました・・・";

class FaceCommands {
public:
    FaceCommands(const RunContext& run, ui::Image& image, ui::Prompter& prompter, ui::OpenDialog& dialog)
        : run_(run), faces_(image, prompter), prompter_(prompter), dialog_(dialog) {}

    // The stored position and picture source; the system wallpaper is the source only when stored so and
    // there is one. No capture is held.
    void Load(const CoverSettings& stored, const std::string& systemWallpaper);
    // The stored values these commands keep ("ICHI", "BMPFile", "Kabe").
    void Save(CoverSettings& s) const;

    // Puts up a face, the cover neither shown nor moved: 0 black, 1 the capture, taken first when none is
    // held, 2 the wallpaper (throws ui::Error when the capture cannot be taken or the picture cannot be
    // shown). False for any other number.
    bool Prepare(int face);
    // The next capture face takes a new capture.
    void Regrab();
    // The capture let go, and the capture face put up: black until the next capture.
    void Discard();
    // The system's wallpaper becomes the source; false (nothing changed) when the system has none.
    bool UseSystemWallpaper();
    // The file becomes the source, and the BMP file remembered.
    void UseBmpFile(const std::string& path);
    // Asks for a BMP file, which becomes the source: a cancel keeps the earlier file, and without one throws.
    void PickBmpFile(HWND owner);
    void ChoosePosition(WallpaperPosition position);
    // Writes what the cover shows as the desktop wallpaper; throws ui::Error.
    void PasteAsWallpaper();
    // The screen's depth, now and after a display change: a composed wallpaper shown is made anew.
    void SetColorDepth(int bits) { colorDepth_ = bits; }
    void ScreenChanged(int bits, int face);

    // What the menus show: whether a capture is held, which source the wallpaper face draws, its position.
    bool CaptureHeld() const { return captureHeld_; }
    bool SystemWallpaperSource() const { return systemSource_; }
    const std::string& SystemWallpaper() const { return systemWallpaper_; }
    WallpaperPosition Position() const { return position_; }

    const std::shared_ptr<const ui::Bitmap>& Capture() const { return capture_; }
    // The picture the wallpaper face draws.
    const std::string& WallpaperPath() const { return systemSource_ ? systemWallpaper_ : bmpPath_; }
    const std::string& BmpPath() const { return bmpPath_; }
    int ColorDepth() const { return colorDepth_; }
    void SetScreenGrab(ScreenGrab grab) { faces_.SetScreenGrab(std::move(grab)); }
    // Every monitor or the primary one: what the cover covers now.
    void SetScreens(const ScreenChoice& choice) { faces_.SetScreens(choice); }
    ScreenLayout Screen() const { return faces_.Screen(); }
    // The palette of the composed picture shown, at 8 bits per pixel or fewer.
    HPALETTE PictureColors() const { return faces_.PictureColors(); }

private:
    const RunContext& run_;
    CoverFaces faces_;
    ui::Prompter& prompter_;
    ui::OpenDialog& dialog_;
    std::shared_ptr<const ui::Bitmap> capture_;
    bool captureHeld_ = false;
    // The system's wallpaper as last read, and whether it is the source rather than the BMP file.
    std::string systemWallpaper_;
    bool systemSource_ = false;
    std::string bmpPath_;
    WallpaperPosition position_ = WallpaperPosition::Tile;
    int colorDepth_ = 0;
};

}  // namespace obsc32
