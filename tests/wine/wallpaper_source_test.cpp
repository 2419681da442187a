#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "cover/TOBSCURIO32VANTE.hpp"
#include "shell/system_paths.hpp"
#include "ui/scope_guard.hpp"
#include "wine/bmp_files.hpp"
#include "wine/cover_fixture.hpp"

using namespace testing_wine;
using obsc32::TOBSCURIO32VANTE;
using Position = obsc32::WallpaperPosition;

namespace {

using WallpaperSource = FacesFixture;

COLORREF CentredTile(int x, int y) { return Coded(Mod(x - 462, 100), Mod(y - 334, 100)); }

::testing::AssertionResult FileShows(const std::string& path, int w, int h, const PixelFn& expect) {
    HBITMAP fromFile = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!fromFile) return ::testing::AssertionFailure() << path << " does not load";
    ::testing::AssertionResult result = PictureIs(fromFile, w, h, expect);
    DeleteObject(fromFile);
    return result;
}

}  // namespace

TEST_F(WallpaperSource, PasteWritesWhatTheCoverShowsAndSetsTheDesktopWallpaper) {
    // The desktop's own wallpaper goes back as it was: later tests read the desktop's pixels.
    char before[MAX_PATH] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof before, before, 0);
    ui::ScopeGuard restore([&] {
        SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, before, SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    });
    TOBSCURIO32VANTE& c = CreateStarted();
    const std::string file = File("paste.bmp");
    WriteBmp24(file, 100, 100, Coded);
    ShowWallpaper(file, Position::Tile);
    const std::string saved = obsc32::WindowsFolder() + "WALLOB$$.BMP";
    DeleteFileW(testing_common::W(saved).c_str());
    c.PLHARIGAMIClick(&c.Menus.PLHARIGAMI);
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
    EXPECT_EQ(c.Faces.WallpaperPath(), file);
    EXPECT_FALSE(c.Faces.SystemWallpaperSource());
    EXPECT_TRUE(FileShows(saved, W, H, CentredTile));
    char wallpaper[MAX_PATH] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof wallpaper, wallpaper, 0);
    EXPECT_STREQ(wallpaper, saved.c_str());

    // The black face pastes a black screen.
    c.PKUROClick(&c.Menus.PKURO);
    c.PLHARIGAMIClick(&c.Menus.PLHARIGAMI);
    EXPECT_TRUE(FileShows(saved, W, H, [](int, int) { return RGB(0, 0, 0); }));

    // A file that cannot be written is told in the cover's box; the cover stays.
    ASSERT_TRUE(DeleteFileW(testing_common::W(saved).c_str()));
    ASSERT_TRUE(CreateDirectoryW(testing_common::W(saved).c_str(), nullptr));
    c.PKUROClick(&c.Menus.PKURO);
    {
        BoxWatcher boxes;
        c.PLHARIGAMIClick(&c.Menus.PLHARIGAMI);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"壁紙セーブに失敗しました・・・"});
    }
    RemoveDirectoryW(testing_common::W(saved).c_str());
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
}

namespace {
constexpr char kDesktopKey[] = ".Default\\Control Panel\\Desktop";
// Sets (or, with nullptr, removes) the system wallpaper the cover reads.
void SetSystemWallpaper(const char* path) {
    namespace registry = testing_common::registry;
    if (path)
        ASSERT_TRUE(registry::SetString(HKEY_USERS, kDesktopKey, "Wallpaper", path));
    else
        registry::DeleteValue(HKEY_USERS, kDesktopKey, "Wallpaper");
}
}  // namespace

TEST_F(WallpaperSource, CancellingTheFileDialogFallsBackToTheEarlierBmp) {
    testing_common::registry::SavedKey desktop(HKEY_USERS, kDesktopKey);
    const std::string file = File("earlier.bmp");
    WriteBmp24(file, 100, 100, Coded);
    // The system's wallpaper is the source, and an earlier BMP file is remembered.
    ASSERT_NO_FATAL_FAILURE(SetSystemWallpaper("C:\\elsewhere.bmp"));
    SetProductValue("BMPFile", file);
    TOBSCURIO32VANTE& c = CreateStarted();
    ASSERT_TRUE(c.Faces.SystemWallpaperSource());
    {
        testing_common::FileDialogAnswerer cancel;
        c.PBmpLoadClick(&c.Menus.PBmpLoad);
        EXPECT_TRUE(cancel.Answered());
    }
    EXPECT_EQ(c.Faces.WallpaperPath(), file);
    EXPECT_FALSE(c.Faces.SystemWallpaperSource());
    // As the menu shows it when it opens.
    c.Menus.ShowState(c.Model, c.Faces);
    EXPECT_EQ(c.Menus.PBmpLoad.Caption, "BMPﾛｰﾄﾞ " + file);
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, CentredTile));

    // With no earlier BMP, cancelling stops with a notice.
    c.Faces.UseBmpFile("");
    c.P3Click(&c.Menus.P3);
    {
        testing_common::FileDialogAnswerer cancel;
        BoxWatcher boxes;
        c.PBmpLoadClick(&c.Menus.PBmpLoad);
        EXPECT_TRUE(cancel.Answered());
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"ＢＭＰロードを、中止しました・・・"});
    }
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
}

TEST_F(WallpaperSource, AFileChosenInTheDialogBecomesTheWallpaper) {
    TOBSCURIO32VANTE& c = CreateStarted();
    const std::string file = File("chosen.bmp");
    WriteBmp24(file, 100, 100, Coded);
    {
        testing_common::FileDialogAnswerer choose(file);
        c.PBmpLoadClick(&c.Menus.PBmpLoad);
        EXPECT_TRUE(choose.Answered());
    }
    EXPECT_EQ(c.Faces.BmpPath(), file);
    EXPECT_EQ(c.Faces.WallpaperPath(), file);
    EXPECT_FALSE(c.Faces.SystemWallpaperSource());
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, CentredTile));
}

TEST_F(WallpaperSource, SystemWallpaperSourceAndOtherPictureFormats) {
    testing_common::registry::SavedKey desktop(HKEY_USERS, kDesktopKey);
    ASSERT_NO_FATAL_FAILURE(SetSystemWallpaper(nullptr));
    SetProductValue("ICHI", "3");
    TOBSCURIO32VANTE& c = CreateStarted();
    c.Faces.UseBmpFile("C:\\kept.bmp");
    // No system wallpaper: nothing changes.
    c.PKBLoadClick(&c.Menus.PKBLoad);
    EXPECT_FALSE(c.Faces.SystemWallpaperSource());
    EXPECT_EQ(c.Faces.WallpaperPath(), "C:\\kept.bmp");

    // A one-pixel red GIF, decoded by the system's picture loader at the natural-size positions.
    const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
                                 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    const std::string gifPath = File("red.gif");
    WriteBytes(gifPath, std::vector<unsigned char>(std::begin(gif), std::end(gif)));
    ASSERT_NO_FATAL_FAILURE(SetSystemWallpaper(gifPath.c_str()));
    c.PKBLoadClick(&c.Menus.PKBLoad);
    EXPECT_TRUE(c.Faces.SystemWallpaperSource());
    EXPECT_EQ(c.Faces.WallpaperPath(), gifPath);
    c.Menus.ShowState(c.Model, c.Faces);
    EXPECT_EQ(c.Menus.PKBLoad.Caption, "壁紙ﾛｰﾄﾞ " + gifPath);
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), 1, 1, [](int, int) { return RGB(255, 0, 0); }));
}
