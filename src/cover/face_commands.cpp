#include "cover/face_commands.hpp"

#include "settings/settings_store.hpp"
#include "ui/application.hpp"

namespace obsc32 {

namespace {
void HandlePending() { ui::Application::Instance().ProcessMessages(); }
}  // namespace

void FaceCommands::Load(const CoverSettings& stored, const std::string& systemWallpaper) {
    wallpaperPath_ = systemWallpaper;
    items_.SystemWallpaper.Caption = "壁紙ﾛｰﾄﾞ " + systemWallpaper;
    if (position_) position_->Checked = false;
    position_ = items_.Positions.Items[static_cast<size_t>(stored.Ichi)];
    position_->Checked = true;
    bmpPath_ = stored.BmpFile;
    items_.BmpFile.Caption = "BMPﾛｰﾄﾞ " + bmpPath_;
    items_.SystemWallpaper.Checked = stored.Kabe && !wallpaperPath_.empty();
    items_.BmpFile.Checked = !items_.SystemWallpaper.Checked;
    if (!items_.SystemWallpaper.Checked) wallpaperPath_ = bmpPath_;
    face_ = stored.Mode;
    capture_.reset();
    items_.Discard.Checked = true;
}

void FaceCommands::Save(CoverSettings& s) const {
    s.Ichi = static_cast<int>(Position());
    s.BmpFile = bmpPath_;
    s.Kabe = items_.SystemWallpaper.Checked;
    s.Mode = face_;
}

void FaceCommands::SelectFace(int face, ui::MenuItem& item) {
    face_ = face;
    items_.Black.Checked = &item == &items_.Black;
    items_.Capture.Checked = &item == &items_.Capture;
    items_.Wallpaper.Checked = &item == &items_.Wallpaper;
}

void FaceCommands::ShowBlack(bool place) {
    SelectFace(0, items_.Black);
    faces_.ShowBlack();
    HandlePending();
    if (place) placement_.Place();
}

void FaceCommands::ShowCapture(bool place) { ShowCaptureFace(true, place); }

void FaceCommands::ShowCaptureFace(bool grab, bool place) {
    if (items_.Discard.Checked && grab) {
        items_.Grab.Checked = true;
        items_.Discard.Checked = false;
        HandlePending();
        HandlePending();
        capture_ = faces_.GrabScreen(colorDepth_);
    }
    SelectFace(1, items_.Capture);
    faces_.ShowCapture(capture_);
    HandlePending();
    if (place) placement_.Place();
}

void FaceCommands::Grab() {
    items_.Discard.Checked = true;
    HandlePending();
    ShowCapture(true);
}

void FaceCommands::Discard() {
    items_.Grab.Checked = false;
    items_.Discard.Checked = true;
    HandlePending();
    capture_.reset();
    HandlePending();
    ShowCaptureFace(false, true);
}

void FaceCommands::ShowWallpaper(bool place) {
    SelectFace(2, items_.Wallpaper);
    HandlePending();
    faces_.ShowWallpaper(wallpaperPath_, Position(), colorDepth_);
    HandlePending();
    if (place) placement_.Place();
}

bool FaceCommands::UseSystemWallpaper() {
    HandlePending();
    std::string wallpaper = ReadSystemWallpaper();
    HandlePending();
    if (wallpaper.empty()) return false;
    items_.SystemWallpaper.Checked = true;
    items_.BmpFile.Checked = false;
    wallpaperPath_ = wallpaper;
    items_.SystemWallpaper.Caption = "壁紙ﾛｰﾄﾞ " + wallpaper;
    HandlePending();
    return true;
}

void FaceCommands::UseBmpFile(const std::string& path) {
    items_.SystemWallpaper.Checked = false;
    items_.BmpFile.Checked = true;
    wallpaperPath_ = path;
    bmpPath_ = path;
    items_.BmpFile.Caption = "BMPﾛｰﾄﾞ " + path;
}

void FaceCommands::LoadBmpFile(HWND owner) {
    std::string chosen = AskForBmpFile(dialog_, bmpPath_, run_.WindowsFolder, owner);
    if (chosen.empty()) {
        if (bmpPath_.empty()) throw ui::Error(kBmpLoadCancelled);
        chosen = bmpPath_;
    }
    HandlePending();
    UseBmpFile(chosen);
    HandlePending();
    ShowWallpaper(true);
}

void FaceCommands::ChoosePosition(ui::MenuItem& item) {
    if (position_) position_->Checked = false;
    item.Checked = true;
    position_ = &item;
    HandlePending();
    ShowWallpaper(true);
}

void FaceCommands::PasteAsWallpaper() {
    faces_.PasteAsDesktopWallpaper(run_.WindowsFolder + "WALLOB$$.BMP");
    // The new desktop wallpaper shows.
    placement_.Restore();
}

void FaceCommands::SetColorDepth(int bits) { colorDepth_ = bits; }

void FaceCommands::ScreenChanged(int bits) {
    colorDepth_ = bits;
    // The capture is not taken again: it shows stretched until the next one. Black and the wallpaper at its
    // natural size or stretched follow the image's new size when painted; only a composed one is made anew,
    // or one to be composed now that the monitors changed.
    if (face_ == 2) faces_.Recompose(wallpaperPath_, Position(), colorDepth_);
}

}  // namespace obsc32
