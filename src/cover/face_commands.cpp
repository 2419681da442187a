#include "cover/face_commands.hpp"

#include "settings/settings_store.hpp"

namespace obsc32 {

void FaceCommands::Load(const CoverSettings& stored, const std::string& systemWallpaper) {
    systemWallpaper_ = systemWallpaper;
    position_ = static_cast<WallpaperPosition>(stored.Ichi);
    bmpPath_ = stored.BmpFile;
    systemSource_ = stored.Kabe && !systemWallpaper_.empty();
    capture_.reset();
    captureHeld_ = false;
}

void FaceCommands::Save(CoverSettings& s) const {
    s.Ichi = static_cast<int>(position_);
    s.BmpFile = bmpPath_;
    s.Kabe = systemSource_;
}

bool FaceCommands::Prepare(int face) {
    switch (face) {
        case 0: faces_.ShowBlack(); break;
        case 1:
            if (!captureHeld_) {
                captureHeld_ = true;
                // Let go of first: a second screen-sized bitmap beside it would double the peak memory.
                faces_.DropCapture(capture_);
                prompter_.LetMessagesRun();
                prompter_.LetMessagesRun();
                try {
                    capture_ = faces_.GrabScreen(colorDepth_);
                } catch (...) {
                    captureHeld_ = false;
                    throw;
                }
            }
            faces_.ShowCapture(capture_);
            break;
        case 2:
            prompter_.LetMessagesRun();
            faces_.ShowWallpaper(WallpaperPath(), position_, colorDepth_);
            break;
        default: return false;
    }
    return true;
}

void FaceCommands::Regrab() {
    captureHeld_ = false;
    prompter_.LetMessagesRun();
}

void FaceCommands::Discard() {
    captureHeld_ = false;
    prompter_.LetMessagesRun();
    capture_.reset();
    prompter_.LetMessagesRun();
    faces_.ShowCapture(capture_);
}

bool FaceCommands::UseSystemWallpaper() {
    prompter_.LetMessagesRun();
    std::string wallpaper = ReadSystemWallpaper();
    prompter_.LetMessagesRun();
    if (wallpaper.empty()) return false;
    systemSource_ = true;
    systemWallpaper_ = std::move(wallpaper);
    prompter_.LetMessagesRun();
    return true;
}

void FaceCommands::UseBmpFile(const std::string& path) {
    systemSource_ = false;
    bmpPath_ = path;
}

void FaceCommands::PickBmpFile(HWND owner) {
    std::string chosen = AskForBmpFile(dialog_, bmpPath_, run_.WindowsFolder, owner);
    if (chosen.empty()) {
        if (bmpPath_.empty()) throw ui::Error(kBmpLoadCancelled);
        chosen = bmpPath_;
    }
    prompter_.LetMessagesRun();
    UseBmpFile(chosen);
    prompter_.LetMessagesRun();
}

void FaceCommands::ChoosePosition(WallpaperPosition position) {
    position_ = position;
    prompter_.LetMessagesRun();
}

void FaceCommands::PasteAsWallpaper() { faces_.PasteAsDesktopWallpaper(run_.WindowsFolder + "WALLOB$$.BMP"); }

void FaceCommands::ScreenChanged(int bits, int face) {
    colorDepth_ = bits;
    // The capture is not taken again: it shows stretched until the next one. Black and the wallpaper at its
    // natural size or stretched follow the image's new size when painted; only a composed one is made anew,
    // or one to be composed now that the monitors changed.
    if (face == 2) faces_.Recompose(WallpaperPath(), position_, colorDepth_);
}

}  // namespace obsc32
