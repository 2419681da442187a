#include "cover/cover_faces.hpp"

#include <new>
#include <optional>

#include "shell/path_text.hpp"
#include "ui/component.hpp"
#include "ui/gdi.hpp"
#include "ui/wide.hpp"

namespace obsc32 {

namespace {
constexpr char kNoFile[] = "ＢＭＰﾌｧｲﾙが登録されていません・・・";
constexpr char kLoadFailed[] = "ＢＭＰﾌｧｲﾙﾛｰﾄﾞに失敗しました・・・";
constexpr char kNoRoom[] = "ＢＭＰﾌｧｲﾙ領域確保に失敗しました・・・";
constexpr char kSaveFailed[] = "壁紙セーブに失敗しました・・・";
constexpr char kPasteFailed[] = "壁紙張付に失敗しました・・・";
constexpr char kUnreadableName[] = "このＢＭＰﾌｧｲﾙ名を扱えません・・・";

// Tiled and the corners are composed to the screen's size; the others are the file itself.
bool Composed(WallpaperPosition position) {
    return position != WallpaperPosition::Center && position != WallpaperPosition::Stretch &&
           position != WallpaperPosition::TopLeft;
}
}  // namespace

std::shared_ptr<const ui::Bitmap> CoverFaces::GrabScreen(int colorDepth) {
    const ScreenRect area = Screen().Area;
    ui::Bitmap capture = grab_(area.Width(), area.Height(), area.Left, area.Top);
    if (!capture) throw ui::Error(kNoRoom);
    if (colorDepth <= 8) ClipboardRoundTrip(capture, image_.Handle());
    try {
        return std::shared_ptr<const ui::Bitmap>(new ui::Bitmap(std::move(capture)));
    } catch (const std::bad_alloc&) {
        throw ui::Error(kNoRoom);
    }
}

void CoverFaces::DropCapture(std::shared_ptr<const ui::Bitmap>& capture) {
    if (capture && image_.Picture() == capture->Get()) ShowCapture(nullptr);
    capture.reset();
}

// Without a picture the image would only repeat the cover's own black: hidden, it leaves the cover one window
// to paint when it is shown, the quickest way to a black screen.
void CoverFaces::Show(Picture picture) {
    perMonitor_ = false;
    palette_ = std::move(picture.Colors);
    image_.SetVisible(static_cast<bool>(picture.Bitmap));
    image_.SetPicture(std::move(picture.Bitmap));
}

void CoverFaces::ShowBlack() { Show({}); }

void CoverFaces::ShowCapture(std::shared_ptr<const ui::Bitmap> capture) {
    perMonitor_ = false;
    image_.Stretch = true;
    palette_ = {};
    image_.SetVisible(capture != nullptr);
    image_.SetPicture(std::move(capture));
}

void CoverFaces::ShowWallpaper(const std::string& path, WallpaperPosition position, int colorDepth) {
    if (path.empty()) throw ui::Error(kNoFile);
    // Across monitors every position is composed, each monitor getting its own.
    const ScreenLayout screen = Screen();
    if (Composed(position) || screen.PerMonitor())
        ShowComposed(path, position, colorDepth, screen);
    else
        ShowNaturalSize(path, position);
}

void CoverFaces::Recompose(const std::string& path, WallpaperPosition position, int colorDepth) {
    if (path.empty()) return;
    // The file itself follows the image's size, unless it is to be composed now, or was.
    if (!Composed(position) && !perMonitor_ && !Screen().PerMonitor()) return;
    try {
        ShowWallpaper(path, position, colorDepth);
    } catch (const ui::Error&) {
        // Told by the next wallpaper command instead.
    }
}

void CoverFaces::ShowNaturalSize(const std::string& path, WallpaperPosition position) {
    ui::Bitmap picture = LoadPictureFile(path);
    if (!picture) throw ui::Error(kLoadFailed);
    Show({std::move(picture), {}});
    if (position == WallpaperPosition::Center) {
        image_.Center = true;
        image_.Stretch = false;
    } else if (position == WallpaperPosition::Stretch) {
        image_.Stretch = true;  // centring has no effect while stretching, so it stays as it was
    } else {
        image_.Center = false;
        image_.Stretch = false;
    }
    image_.Invalidate();
}

void CoverFaces::ShowComposed(const std::string& path, WallpaperPosition position, int colorDepth,
                              const ScreenLayout& screen) {
    // The picture shown so far keeps its palette until the composition gives the target another one.
    Picture target{MakeScreenBitmap(screen.Area.Width(), screen.Area.Height()), std::move(palette_)};
    if (!target.Bitmap) {
        palette_ = std::move(target.Colors);
        throw ui::Error(kNoRoom);
    }
    image_.Center = false;
    image_.Stretch = false;
    // Where one screen shows the file itself, any picture format it reads does across monitors too.
    Picture picture = Composed(position) ? LoadBmpFile(path) : Picture{LoadPictureFile(path), {}};
    if (!picture.Bitmap) {
        // What the face shows now is the black screen made above.
        Show(std::move(target));
        throw ui::Error(kLoadFailed);
    }
    ComposeWallpaper(target, std::move(picture), position, colorDepth, image_.Handle(), screen);
    Show(std::move(target));
    perMonitor_ = screen.PerMonitor();
    prompter_.LetMessagesRun();
    image_.Repaint();
}

void ComposeWallpaper(Picture& target, Picture picture, WallpaperPosition position, int colorDepth,
                      HWND clipboardOwner, const ScreenLayout& screen) {
    const SIZE size = ui::BitmapSize(picture.Bitmap.Get());
    const MonitorWallpaperPlan plan = PlanMonitorWallpaper(position, screen, size.cx, size.cy);
    if (position == WallpaperPosition::Tile) {
        if (colorDepth <= 8) ClipboardRoundTrip(target.Bitmap, clipboardOwner);
        RunPlan(target.Bitmap.Get(), picture.Bitmap.Get(), plan.Copies);
        return;
    }
    const bool paletted = colorDepth <= 8;
    if (paletted) {
        target.Colors.Reset();
        target.Colors = std::move(picture.Colors);
    }
    RunPlan(target.Bitmap.Get(), picture.Bitmap.Get(), plan.Copies, paletted ? target.Colors.Get() : nullptr);
    StretchInto(target.Bitmap.Get(), picture.Bitmap.Get(), plan.Stretched);
}

std::string AskForBmpFile(ui::OpenDialog& dialog, const std::string& earlier,
                          const std::string& windowsFolder, HWND owner) {
    const std::string folder = earlier.empty() ? YenAdd(windowsFolder) : YenAdd(FolderPart(earlier));
    dialog.InitialDir = folder;
    dialog.FileName = folder + "*.BMP";
    dialog.DefaultExt = "BMP";
    dialog.Filter = "ＢＭＰ ファイル (*.BMP)|*.BMP|All files (*.*)|*.*";
    dialog.Options = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
    if (dialog.Execute(owner)) return dialog.FileName;
    if (dialog.NameUnreadable) throw ui::Error(kUnreadableName);
    return std::string();
}

bool CoverFaces::SaveImageAsBmp(const std::string& path) {
    const ScreenLayout screen = Screen();
    HBITMAP picture = image_.Picture();
    const SIZE size = ui::BitmapSize(picture);
    const ScreenRect part = PastedPart(screen, size.cx, size.cy);
    // Across monitors only the primary's part, not a file of them all that the system would crop anyway.
    ui::Bitmap cut;
    if (part != ScreenRect{0, 0, size.cx, size.cy}) {
        cut = CopyPart(picture, part);
        if (!cut) return false;
        picture = cut.Get();
    }
    const bool saved = SaveBitmapAsBmp(picture, path, screen.Primary.Width(), screen.Primary.Height());
    image_.Repaint();
    return saved;
}

void CoverFaces::PasteAsDesktopWallpaper(const std::string& path) {
    prompter_.LetMessagesRun();
    if (!SaveImageAsBmp(path)) {
        image_.Repaint();
        throw ui::Error(kSaveFailed);
    }
    prompter_.LetMessagesRun();
    image_.Repaint();
    // The system's own wallpaper style and tiling stay as they are.
    std::optional<std::wstring> file = ui::WideExact(path);
    if (!file || !SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, file->data(),
                                        SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE))
        throw ui::Error(kPasteFailed);
}

}  // namespace obsc32
