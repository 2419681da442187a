// What the cover's image shows besides black: the screen capture and the wallpaper at its position; and the
// paste of what it shows as the desktop wallpaper. Failures are ui::Error carrying the text the user is shown.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "cover/picture_io.hpp"
#include "cover/tiling.hpp"
#include "ui/image.hpp"
#include "ui/open_dialog.hpp"
#include "ui/prompter.hpp"

namespace obsc32 {

// How the screen is copied: W x H real pixels from (left, top), empty when no bitmap could be made.
using ScreenGrab = std::function<ui::Bitmap(int width, int height, int left, int top)>;

class CoverFaces {
public:
    CoverFaces(ui::Image& image, ui::Prompter& prompter) : image_(image), prompter_(prompter) {}
    CoverFaces(const CoverFaces&) = delete;
    CoverFaces& operator=(const CoverFaces&) = delete;

    // How the screen is copied (tests make the copy fail).
    void SetScreenGrab(ScreenGrab grab) { grab_ = std::move(grab); }
    // Every monitor (the default) or the primary one alone.
    void SetScreens(const ScreenChoice& choice) { screens_ = choice; }
    // What the cover covers now.
    ScreenLayout Screen() const { return ReadScreenLayout(screens_); }

    // The screen as it is now. At 8 bits per pixel or fewer it goes through the clipboard, which gives it
    // the screen's palette (and takes the place of what the clipboard held). Throws when it cannot be taken.
    std::shared_ptr<const ui::Bitmap> GrabScreen(int colorDepth);
    // A capture let go of, by the image too when it shows it (as the empty capture: black).
    void DropCapture(std::shared_ptr<const ui::Bitmap>& capture);

    // The black face: no picture, the cover's colour shows.
    void ShowBlack();
    // The capture itself, shared, not copied (none: black), stretched over the image, as it may come from
    // another screen size.
    void ShowCapture(std::shared_ptr<const ui::Bitmap> capture);
    // The wallpaper face. The composed positions (tile, corners) put up a black screen-sized picture first,
    // which stays when the file cannot be read.
    void ShowWallpaper(const std::string& path, WallpaperPosition position, int colorDepth);

    // After a change of the screen's size or its monitors, while the wallpaper face is chosen: a composed
    // picture is made anew for the new screen. Nothing is told, as no command of the user's asked for it: a file that cannot be read
    // any more leaves black, and the next wallpaper command says why.
    void Recompose(const std::string& path, WallpaperPosition position, int colorDepth);

    // Writes what the image shows as a BMP file at `path` and makes it the desktop wallpaper.
    void PasteAsDesktopWallpaper(const std::string& path);

    // The palette of the composed picture shown, given at 8 bits per pixel or fewer.
    HPALETTE PictureColors() const { return palette_.Get(); }

private:
    void Show(Picture picture);
    void ShowNaturalSize(const std::string& path, WallpaperPosition position);
    void ShowComposed(const std::string& path, WallpaperPosition position, int colorDepth,
                      const ScreenLayout& screen);
    bool SaveImageAsBmp(const std::string& path);

    ui::Image& image_;
    ui::Prompter& prompter_;
    ScreenGrab grab_ = GrabScreenBitmap;
    // The palette of the composed picture shown, given at 8 bits per pixel or fewer.
    Palette palette_;
    ScreenChoice screens_;
    // The picture shown was composed monitor by monitor.
    bool perMonitor_ = false;
};

// Asks for a BMP file, starting in the folder of `earlier` (none: the Windows folder); "" when cancelled.
// Throws ui::Error for a file whose name the program cannot hold.
std::string AskForBmpFile(ui::OpenDialog& dialog, const std::string& earlier,
                          const std::string& windowsFolder, HWND owner);

// Composes the picture at its position on each monitor of `screen` onto `target`, a black picture of its
// area. At 8 bits per pixel or fewer the tile goes through the clipboard, and for the other positions the
// target's palette is deleted and the picture's becomes the target's.
void ComposeWallpaper(Picture& target, Picture picture, WallpaperPosition position, int colorDepth,
                      HWND clipboardOwner, const ScreenLayout& screen);

}  // namespace obsc32
