#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cover/TOBSCURIO32VANTE.hpp"
#include "shell/windir.hpp"
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
    c.PBmpLoad.Checked = true;
    c.PKBLoad.Checked = false;
    ShowWallpaper(file, Position::Tile);
    const std::string saved = obsc32::WinDir + "WALLOB$$.BMP";
    DeleteFileA(saved.c_str());
    c.PLHARIGAMIClick(&c.PLHARIGAMI);
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
    EXPECT_EQ(Probe().WallpaperImagePath(), file);
    EXPECT_TRUE(c.PBmpLoad.Checked);
    EXPECT_FALSE(c.PKBLoad.Checked);
    EXPECT_TRUE(FileShows(saved, W, H, CentredTile));
    char wallpaper[MAX_PATH] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof wallpaper, wallpaper, 0);
    EXPECT_STREQ(wallpaper, saved.c_str());

    // The black face pastes a black screen.
    c.PKUROClick(&c.PKURO);
    c.PLHARIGAMIClick(&c.PLHARIGAMI);
    EXPECT_TRUE(FileShows(saved, W, H, [](int, int) { return RGB(0, 0, 0); }));

    // A file that cannot be written is told in the cover's box; the cover stays.
    ASSERT_TRUE(DeleteFileA(saved.c_str()));
    ASSERT_TRUE(CreateDirectoryA(saved.c_str(), nullptr));
    c.PKUROClick(&c.PKURO);
    {
        BoxWatcher boxes;
        c.PLHARIGAMIClick(&c.PLHARIGAMI);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"壁紙セーブに失敗しました・・・"});
    }
    RemoveDirectoryA(saved.c_str());
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
}

TEST_F(WallpaperSource, CancellingTheFileDialogFallsBackToTheEarlierBmp) {
    TOBSCURIO32VANTE& c = CreateStarted();
    const std::string file = File("earlier.bmp");
    WriteBmp24(file, 100, 100, Coded);
    Probe().SetBmpFilePath(file);
    c.PKBLoad.Checked = true;
    c.PBmpLoad.Checked = false;
    Probe().SetWallpaperImagePath("C:\\elsewhere.bmp");
    {
        testing_common::FileDialogAnswerer cancel;
        c.PBmpLoadClick(&c.PBmpLoad);
        EXPECT_TRUE(cancel.Answered());
    }
    EXPECT_EQ(Probe().WallpaperImagePath(), file);
    EXPECT_TRUE(c.PBmpLoad.Checked);
    EXPECT_FALSE(c.PKBLoad.Checked);
    EXPECT_EQ(c.PBmpLoad.Caption, "BMPﾛｰﾄﾞ " + file);
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, CentredTile));

    // With no earlier BMP, cancelling stops with a notice.
    Probe().SetBmpFilePath("");
    c.P3Click(&c.P3);
    {
        testing_common::FileDialogAnswerer cancel;
        BoxWatcher boxes;
        c.PBmpLoadClick(&c.PBmpLoad);
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
        c.PBmpLoadClick(&c.PBmpLoad);
        EXPECT_TRUE(choose.Answered());
    }
    EXPECT_EQ(Probe().BmpFilePath(), file);
    EXPECT_EQ(Probe().WallpaperImagePath(), file);
    EXPECT_TRUE(c.PBmpLoad.Checked);
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, CentredTile));
}

TEST_F(WallpaperSource, SystemWallpaperSourceAndOtherPictureFormats) {
    TOBSCURIO32VANTE& c = CreateStarted();
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_USERS, ".Default\\Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegDeleteValueA(key, "Wallpaper");
    c.PBmpLoad.Checked = true;
    c.PKBLoad.Checked = false;
    Probe().SetWallpaperImagePath("C:\\kept.bmp");
    // No system wallpaper: nothing changes.
    c.PKBLoadClick(&c.PKBLoad);
    EXPECT_TRUE(c.PBmpLoad.Checked);
    EXPECT_EQ(Probe().WallpaperImagePath(), "C:\\kept.bmp");

    // A one-pixel red GIF, decoded by the system's picture loader at the natural-size positions.
    const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
                                 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    const std::string gifPath = File("red.gif");
    WriteBytes(gifPath, std::vector<unsigned char>(std::begin(gif), std::end(gif)));
    RegSetValueExA(key, "Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(gifPath.c_str()),
                   static_cast<DWORD>(gifPath.size() + 1));
    RegCloseKey(key);
    Probe().SetPosition(Position::TopLeft);
    c.PKBLoadClick(&c.PKBLoad);
    EXPECT_TRUE(c.PKBLoad.Checked);
    EXPECT_FALSE(c.PBmpLoad.Checked);
    EXPECT_EQ(Probe().WallpaperImagePath(), gifPath);
    EXPECT_EQ(c.PKBLoad.Caption, "壁紙ﾛｰﾄﾞ " + gifPath);
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), 1, 1, [](int, int) { return RGB(255, 0, 0); }));
    RegOpenKeyExA(HKEY_USERS, ".Default\\Control Panel\\Desktop", 0, KEY_ALL_ACCESS, &key);
    RegDeleteValueA(key, "Wallpaper");
    RegCloseKey(key);
}
