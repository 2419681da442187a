#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "cover/TOBSCURIO32VANTE.hpp"
#include "cover/cover_faces.hpp"
#include "ui/application.hpp"
#include "wine/bmp_files.hpp"
#include "wine/cover_fixture.hpp"

using namespace testing_wine;
using obsc32::TOBSCURIO32VANTE;
using Position = obsc32::WallpaperPosition;

namespace {

using FacesTest = FacesFixture;

const std::string kLoadFailed = "ＢＭＰﾌｧｲﾙﾛｰﾄﾞに失敗しました・・・";

std::vector<COLORREF> PaletteColours(HPALETTE palette) {
    PALETTEENTRY entries[256];
    const UINT n = palette ? GetPaletteEntries(palette, 0, 256, entries) : 0;
    std::vector<COLORREF> colours;
    for (UINT i = 0; i < n; ++i)
        colours.push_back(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
    return colours;
}

// The colour table of a DIB section, read from a DC it is selected into.
std::vector<COLORREF> ColourTable(HBITMAP dib) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    RGBQUAD table[256];
    const UINT n = GetDIBColorTable(dc, 0, 256, table);
    SelectObject(dc, old);
    DeleteDC(dc);
    std::vector<COLORREF> colours;
    for (UINT i = 0; i < n; ++i) colours.push_back(RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue));
    return colours;
}

// A black 8-bit DIB section with a grey colour table: a target whose colours come from its table.
HBITMAP EightBitTarget(int w, int h) {
    std::vector<unsigned char> buffer(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* bi = reinterpret_cast<BITMAPINFO*>(buffer.data());
    bi->bmiHeader.biSize = sizeof bi->bmiHeader;
    bi->bmiHeader.biWidth = w;
    bi->bmiHeader.biHeight = h;
    bi->bmiHeader.biPlanes = 1;
    bi->bmiHeader.biBitCount = 8;
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<BYTE>(i);
        bi->bmiColors[i] = RGBQUAD{v, v, v, 0};
    }
    void* bits = nullptr;
    return CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// Two indexed pictures whose first entry is black, so what they do not cover stays black whatever the table.
const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
std::vector<COLORREF> FourBitTable() {
    std::vector<COLORREF> t = {RGB(0, 0, 0), kRed, kGreen, kBlue};
    for (int i = 4; i < 16; ++i) t.push_back(RGB(i * 16, 200, 100));
    return t;
}
// Entries apart by more than the 5 bits per colour GDI matches colours with.
std::vector<COLORREF> EightBitTable() {
    std::vector<COLORREF> t = {RGB(0, 0, 0)};
    for (int i = 1; i < 256; ++i) t.push_back(RGB(i % 8 * 32 + 4, i / 8 % 8 * 32 + 4, i / 64 * 64 + 4));
    return t;
}
int FourBitIndex(int x, int y) { return 1 + (x + y) % 3; }
int EightBitIndex(int x, int y) { return 1 + (x * 5 + y * 11) % 255; }

}  // namespace

TEST_F(FacesTest, TilesCentreOneTileWhateverTheirSize) {
    TOBSCURIO32VANTE& c = CreateStarted();
    const std::string file = File("tile100.bmp");
    WriteBmp24(file, 100, 100, Coded);
    ShowWallpaper(file, Position::Tile);
    ASSERT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_EQ(c.Model.Face(), 2);
    EXPECT_EQ(c.Faces.Position(), obsc32::WallpaperPosition::Tile);
    // A tile's top-left corner at (462, 334): the first row 34 high, the first column 62 wide.
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H,
                          [](int x, int y) { return Coded(Mod(x - 462, 100), Mod(y - 334, 100)); }));
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(462, 334) == Coded(0, 0); }));
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(0, 0) == Coded(38, 66); }));

    WriteBmp24(file, 1, 1, [](int, int) { return RGB(10, 200, 30); });
    ShowWallpaper(file, Position::Tile);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, [](int, int) { return RGB(10, 200, 30); }));

    WriteBmp24(file, 1024, 100, Coded);
    ShowWallpaper(file, Position::Tile);
    EXPECT_TRUE(
        PictureIs(c.Image1.Picture(), W, H, [](int x, int y) { return Coded(x, Mod(y - 334, 100)); }));

    // One pixel narrower than the screen: half the difference is 0, so columns start at the edge.
    WriteBmp24(file, 1023, 50, Coded);
    ShowWallpaper(file, Position::Tile);
    EXPECT_TRUE(
        PictureIs(c.Image1.Picture(), W, H, [](int x, int y) { return Coded(x % 1023, Mod(y - 359, 50)); }));

    WriteBmp24(file, 1100, 900, Coded);
    ShowWallpaper(file, Position::Tile);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, Coded));
}

TEST_F(FacesTest, CornersKeepTheirCornerAndCutTheFarSides) {
    TOBSCURIO32VANTE& c = CreateStarted();
    const std::string big = File("big.bmp"), small = File("small.bmp");
    WriteBmp24(big, 1100, 800, Coded);
    WriteBmp24(small, 200, 100, Coded);
    ShowWallpaper(big, Position::BottomRight);
    EXPECT_EQ(c.Faces.Position(), obsc32::WallpaperPosition::BottomRight);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, [](int x, int y) { return Coded(x + 76, y + 32); }));
    ShowWallpaper(small, Position::BottomLeft);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, [&](int x, int y) {
        return x < 200 && y >= H - 100 ? Coded(x, y - (H - 100)) : RGB(0, 0, 0);
    }));
    ShowWallpaper(small, Position::TopRight);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, [&](int x, int y) {
        return x >= W - 200 && y < 100 ? Coded(x - (W - 200), y) : RGB(0, 0, 0);
    }));
    // The natural-size positions show the file itself.
    ShowWallpaper(small, Position::Center);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), 200, 100, Coded));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(W / 2 - 100, H / 2 - 50) == Coded(0, 0); }));
    EXPECT_EQ(ScreenPixel(5, 5), RGB(0, 0, 0));
    ShowWallpaper(small, Position::Stretch);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(W - 1, H - 1) == Coded(199, 99); }));
}

// At 8 bits per pixel or fewer a corner gives the composed picture the palette of the file (the one it had
// is deleted), and the pixels stay right; on this 32-bit screen the depth is set as the faces read it.
TEST_F(FacesTest, CornersOfPalettedScreensTakeThePaletteOfTheFile) {
    const std::string four = File("four.bmp"), eight = File("eight.bmp");
    WriteBytes(four, BmpBytes(30, 20, 4, FourBitTable(), FourBitIndex, nullptr));
    // Written with no pixel offset, as some writers leave it.
    WriteBytes(eight, BmpBytes(40, 30, 8, EightBitTable(), EightBitIndex, nullptr, 0));
    const auto fourColour = [](int x, int y) { return FourBitTable()[FourBitIndex(x, y)]; };
    const auto eightColour = [](int x, int y) { return EightBitTable()[EightBitIndex(x, y)]; };

    // Into a target whose colours are its colour table.
    struct Case {
        std::string file;
        std::vector<COLORREF> table;
        std::function<COLORREF(int, int)> colour;
        int w, h;
    };
    for (const Case& k : {Case{four, FourBitTable(), fourColour, 30, 20},
                          Case{eight, EightBitTable(), eightColour, 40, 30}}) {
        obsc32::Picture target{ui::Bitmap(EightBitTarget(64, 48)), obsc32::Palette(nullptr)};
        ASSERT_TRUE(target.Bitmap);
        LOGPALETTE grey{0x300, 1, {{128, 128, 128, 0}}};
        target.Colors = obsc32::Palette(CreatePalette(&grey));
        const HPALETTE old = target.Colors.Get();
        obsc32::ComposeWallpaper(target, obsc32::LoadBmpFile(k.file), Position::BottomRight, 8, nullptr,
                                 obsc32::CoverLayout(false, {}, {0, 0, 64, 48}, {}));
        EXPECT_EQ(GetObjectType(old), 0u) << k.file << ": the target's own palette was not deleted";
        EXPECT_EQ(PaletteColours(target.Colors.Get()), k.table) << k.file;
        std::vector<COLORREF> table = ColourTable(target.Bitmap.Get());
        table.resize(std::min(table.size(), k.table.size()));
        EXPECT_EQ(table, k.table) << k.file;
        EXPECT_TRUE(PictureIs(target.Bitmap.Get(), 64, 48, [&](int x, int y) {
            return x >= 64 - k.w && y >= 48 - k.h ? k.colour(x - (64 - k.w), y - (48 - k.h)) : RGB(0, 0, 0);
        })) << k.file;
    }

    // On the cover: the screen-sized picture keeps the file's palette until the next corner replaces it.
    TOBSCURIO32VANTE& c = CreateStarted();
    c.Faces.SetColorDepth(8);
    ShowWallpaper(four, Position::BottomLeft);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, [&](int x, int y) {
        return x < 30 && y >= H - 20 ? fourColour(x, y - (H - 20)) : RGB(0, 0, 0);
    }));
    const HPALETTE first = c.Faces.PictureColors();
    EXPECT_EQ(PaletteColours(first), FourBitTable());
    ShowWallpaper(eight, Position::TopRight);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, [&](int x, int y) {
        return x >= W - 40 && y < 30 ? eightColour(x - (W - 40), y) : RGB(0, 0, 0);
    }));
    EXPECT_EQ(GetObjectType(first), 0u) << "the earlier palette was not deleted";
    EXPECT_EQ(PaletteColours(c.Faces.PictureColors()), EightBitTable());
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
}

TEST_F(FacesTest, BrokenFilesAreReportedAndChangeNothingElse) {
    TOBSCURIO32VANTE& c = CreateStarted();
    const std::string good = File("good.bmp");
    WriteBmp24(good, 16, 16, Coded);
    std::vector<unsigned char> whole = ReadBytes(good);

    struct Bad {
        std::string name;
        std::vector<unsigned char> bytes;
    };
    std::vector<Bad> bad = {
        {"truncated.bmp", std::vector<unsigned char>(whole.begin(), whole.begin() + 100)},
        {"header_only.bmp", std::vector<unsigned char>(whole.begin(), whole.begin() + 20)},
        {"not_bmp.bmp", std::vector<unsigned char>(300, 'x')},
        {"empty.bmp", {}},
    };
    // 100000 x 100000 claimed by a tiny file.
    std::vector<unsigned char> huge = whole;
    for (int at : {18, 22}) {
        huge[at] = 0xA0;
        huge[at + 1] = 0x86;
        huge[at + 2] = 0x01;
        huge[at + 3] = 0;
    }
    bad.push_back({"huge.bmp", huge});
    std::vector<unsigned char> zero = whole;
    zero[18] = zero[19] = zero[22] = zero[23] = 0;
    bad.push_back({"zero.bmp", zero});

    for (Position position : {Position::Center, Position::Tile, Position::BottomLeft}) {
        for (const Bad& b : bad) {
            const std::string path = File(b.name);
            WriteBytes(path, b.bytes);
            c.P3Click(&c.Menus.P3);
            BoxWatcher boxes;
            ShowWallpaper(path, position);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kLoadFailed})
                << b.name << " at " << static_cast<int>(position);
            EXPECT_FALSE(IsWindowVisible(c.Handle())) << b.name;
            EXPECT_EQ(c.Model.Face(), 2);
            EXPECT_EQ(c.Faces.Position(), position);
        }
    }
    {
        BoxWatcher boxes;
        ShowWallpaper(File("missing.bmp"), Position::Tile);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kLoadFailed});
    }
    {
        BoxWatcher boxes;
        // A folder named in Japanese, and a path longer than MAX_PATH.
        const std::string japaneseDir = File("ソ");
        CreateDirectoryW(testing_common::W(japaneseDir).c_str(), nullptr);
        WriteBmp24(japaneseDir + "\\ok.bmp", 4, 4, Coded);
        ShowWallpaper(japaneseDir + "\\ok.bmp", Position::Tile);
        EXPECT_TRUE(IsWindowVisible(c.Handle()));
        c.P3Click(&c.Menus.P3);
        ShowWallpaper(File(std::string(400, 'a') + ".bmp"), Position::Tile);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kLoadFailed});
    }
    {
        BoxWatcher boxes;
        c.Faces.UseBmpFile("");
        c.PKABEClick(&c.Menus.PKABE);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"ＢＭＰﾌｧｲﾙが登録されていません・・・"});
    }
}

TEST_F(FacesTest, CaptureGrabsOnceDiscardTurnsItBlackAndOneNotMadeIsToldOnceTheOldIsLetGo) {
    TOBSCURIO32VANTE& c = CreateStarted();
    // Something recognisable on the screen to capture.
    auto red = std::make_unique<testing_common::PlainWindow>(RECT{100, 100, 150, 150}, RGB(255, 0, 0),
                                                             WS_EX_TOPMOST);
    red->Show(false);
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(120, 120) == RGB(255, 0, 0); }));
    c.PCapChanClick(&c.Menus.PCapChan);
    red.reset();
    EXPECT_TRUE(c.Faces.CaptureHeld());
    EXPECT_EQ(c.Model.Face(), 1);
    ASSERT_TRUE(Capture());
    int w, h;
    std::vector<COLORREF> px = BitmapPixels(c.Image1.Picture(), w, h);
    ASSERT_EQ(w, W);
    EXPECT_EQ(px[120 * W + 120], RGB(255, 0, 0));
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    // The cover now shows the capture, the red square included.
    EXPECT_TRUE(HoldsFor([] { return ScreenPixel(120, 120) == RGB(255, 0, 0); }, 200));

    // Shown again later: the held capture, no new grab.
    HBITMAP held = Capture();
    c.P3Click(&c.Menus.P3);
    c.PCapChanClick(&c.Menus.PCapChan);
    EXPECT_EQ(Capture(), held);

    c.PHAKIClick(&c.Menus.PHAKI);
    EXPECT_FALSE(Capture());
    EXPECT_FALSE(c.Faces.CaptureHeld());
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(120, 120) == RGB(0, 0, 0); }));

    // "Capture now" grabs anew: the cover itself is on the screen now, black.
    c.PGETClick(&c.Menus.PGET);
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(c.Faces.CaptureHeld());
    px = BitmapPixels(Capture(), w, h);
    EXPECT_EQ(px[120 * W + 120], RGB(0, 0, 0));
    const std::weak_ptr<const ui::Bitmap> shown = c.Faces.Capture();
    bool letGo = false;
    c.Faces.SetScreenGrab([&](int, int, int, int) { return letGo = shown.expired(), ui::Bitmap(); });
    BoxWatcher boxes;
    c.PGETClick(&c.Menus.PGET);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"ＢＭＰﾌｧｲﾙ領域確保に失敗しました・・・"});
    EXPECT_TRUE(letGo);
    EXPECT_FALSE(c.Faces.CaptureHeld());
}

TEST_F(FacesTest, StartUpFacesActAfterTheTimerWhileTheCoverStaysHidden) {
    SetProductValue("mode", "2");
    SetProductValue("Kabe", "0");
    {
        BoxWatcher boxes;
        TOBSCURIO32VANTE& c = Create();
        EXPECT_TRUE(WaitUntil([&] { return boxes.Count() > 0; }, 3000));
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"ＢＭＰﾌｧｲﾙが登録されていません・・・"});
        EXPECT_FALSE(IsWindowVisible(c.Handle()));
        DestroyWindow(c.Handle());
        ui::Application::Instance().Reset();
    }
    SetProductValue("mode", "1");
    TOBSCURIO32VANTE& c = Create();
    EXPECT_FALSE(Capture());
    EXPECT_TRUE(WaitUntil([&] { return Capture() != nullptr; }, 2000));
    EXPECT_TRUE(c.Faces.CaptureHeld());
    EXPECT_EQ(c.Model.Face(), 1);
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
}
