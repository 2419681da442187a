// The cover's faces as the menus choose them: black, the screen capture, or the wallpaper at one of seven
// positions from the system's wallpaper or a BMP file; and the paste of what the cover shows as the desktop
// wallpaper. The menu items' check marks are part of the state, as the menus show it.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "cover/cover_faces.hpp"
#include "cover/cover_placement.hpp"
#include "settings/run_context.hpp"
#include "settings/setting_values.hpp"
#include "ui/image.hpp"
#include "ui/menu.hpp"
#include "ui/open_dialog.hpp"

namespace obsc32 {

// The menu items whose check marks and captions these commands keep.
struct FaceItems {
    ui::MenuItem &Black, &Capture, &Wallpaper;
    ui::MenuItem &Grab, &Discard;
    ui::MenuItem &SystemWallpaper, &BmpFile;
    // Its submenu: the seven positions, each with its position's number as Tag.
    ui::MenuItem& Positions;
};

inline constexpr char kBmpLoadCancelled[] = "ＢＭＰロードを、中止しました・・・";

class FaceCommands {
public:
    FaceCommands(const RunContext& run, ui::Image& image, CoverPlacement& placement, ui::OpenDialog& dialog,
                 const FaceItems& items)
        : run_(run), faces_(image), placement_(placement), dialog_(dialog), items_(items) {}

    // The stored face, position and picture source; the system wallpaper is the source only when stored so
    // and there is one.
    void Load(const CoverSettings& stored, const std::string& systemWallpaper);
    // The stored values these commands keep ("ICHI", "BMPFile", "Kabe", "mode").
    void Save(CoverSettings& s) const;

    // Each face; `place` shows the cover where the placement says.
    void ShowBlack(bool place);
    // The kept capture, taken first when there is none.
    void ShowCapture(bool place);
    // Throws ui::Error when the picture cannot be shown; the face and position stay chosen and the cover
    // is neither shown nor moved.
    void ShowWallpaper(bool place);
    // A new capture, shown.
    void Grab();
    // The capture let go: the capture face shows black until the next one.
    void Discard();
    // The system's wallpaper becomes the source; false (nothing changed) when the system has none.
    bool UseSystemWallpaper();
    // The file becomes the source, and the BMP file remembered.
    void UseBmpFile(const std::string& path);
    // Asks for a BMP file, then shows it: a cancel falls back to the earlier file, and without one throws.
    void LoadBmpFile(HWND owner);
    // Picks a position, then shows the wallpaper there.
    void ChoosePosition(ui::MenuItem& item);
    // Writes what the cover shows as the desktop wallpaper and takes the cover away; throws ui::Error.
    void PasteAsWallpaper();
    // The screen's depth, now and after a display change: a composed wallpaper shown is made anew.
    void SetColorDepth(int bits);
    void ScreenChanged(int bits);

    int Face() const { return face_; }
    const std::shared_ptr<const ui::Bitmap>& Capture() const { return capture_; }
    const std::string& WallpaperPath() const { return wallpaperPath_; }
    const std::string& BmpPath() const { return bmpPath_; }
    WallpaperPosition Position() const {
        return position_ ? static_cast<WallpaperPosition>(position_->Tag) : WallpaperPosition::Tile;
    }
    int ColorDepth() const { return colorDepth_; }
    // Every monitor or the primary one: what the cover covers now.
    void SetAllScreens(bool all) { faces_.SetAllScreens(all); }
    ScreenLayout Screen() const { return faces_.Screen(); }
    // The palette of the composed picture shown, at 8 bits per pixel or fewer.
    HPALETTE PictureColors() const { return faces_.PictureColors(); }

private:
    void SelectFace(int face, ui::MenuItem& item);
    void ShowCaptureFace(bool grab, bool place);

    const RunContext& run_;
    CoverFaces faces_;
    CoverPlacement& placement_;
    ui::OpenDialog& dialog_;
    FaceItems items_;
    int face_ = 0;
    std::shared_ptr<const ui::Bitmap> capture_;
    std::string wallpaperPath_;
    std::string bmpPath_;
    // The checked position item; none until the stored values are loaded.
    ui::MenuItem* position_ = nullptr;
    int colorDepth_ = 0;
};

}  // namespace obsc32
