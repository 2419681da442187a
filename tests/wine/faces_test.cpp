#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "cover/TOBSCURIO32VANTE.hpp"
#include "settings/product.hpp"
#include "shell/windir.hpp"
#include "ui/application.hpp"
#include "wine/cover_fixture.hpp"

using namespace testing_wine;
using obsc32::TOBSCURIO32VANTE;

namespace {

const char* kDir = "C:\\obsc32faces";

using PixelFn = std::function<COLORREF(int x, int y)>;

// A bottom-up 24-bit BMP whose pixel (x, y) is fn(x, y).
void WriteBmp24(const std::string& path, int w, int h, const PixelFn& fn) {
    const int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> file(54 + static_cast<size_t>(stride) * h);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = fn(x, y);
            size_t at = 54 + static_cast<size_t>(h - 1 - y) * stride + x * 3;
            file[at] = GetBValue(c);
            file[at + 1] = GetGValue(c);
            file[at + 2] = GetRValue(c);
        }
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::vector<unsigned char> data;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
        std::fclose(f);
    }
    return data;
}

// A picture whose every pixel tells where it came from.
COLORREF Coded(int x, int y) { return RGB(x & 255, y & 255, ((x >> 8) & 15) | (((y >> 8) & 15) << 4)); }

// Compares every pixel of the image's picture with the expectation; reports the first few misses.
::testing::AssertionResult PictureIs(HBITMAP bmp, int w, int h, const PixelFn& expect) {
    int bw, bh;
    std::vector<COLORREF> px = BitmapPixels(bmp, bw, bh);
    if (bw != w || bh != h)
        return ::testing::AssertionFailure() << "size " << bw << "x" << bh << ", expected " << w << "x" << h;
    int misses = 0;
    std::string first;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (px[static_cast<size_t>(y) * w + x] != expect(x, y) && misses++ < 3)
                first += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
    if (misses) return ::testing::AssertionFailure() << misses << " pixels differ, first at" << first;
    return ::testing::AssertionSuccess();
}

int Mod(int a, int m) { return ((a % m) + m) % m; }

// On another thread: waits for the file dialog, then answers it.
std::thread AnswerFileDialog(std::function<void(HWND)> answer) {
    return std::thread([answer] {
        for (int i = 0; i < 500; ++i) {
            HWND dlg = FindWindowA("#32770", nullptr);
            if (dlg && IsWindowVisible(dlg)) {
                answer(dlg);
                return;
            }
            Sleep(10);
        }
    });
}

// Answers the cover's message boxes with Enter and keeps their texts.
class BoxReader {
public:
    BoxReader() : thread_([this] { Run(); }) {}
    ~BoxReader() {
        stop_ = true;
        thread_.join();
    }
    std::vector<std::string> Texts() {
        EnterCriticalSection(&lock_);
        auto t = texts_;
        LeaveCriticalSection(&lock_);
        return t;
    }

private:
    void Run() {
        while (!stop_) {
            HWND box = FindWindowA("TMKBox", nullptr);
            if (box && IsWindowVisible(box)) {
                char text[1024] = {};
                SendMessageA(FindWindowExA(box, nullptr, "EDIT", nullptr), WM_GETTEXT, sizeof text,
                             reinterpret_cast<LPARAM>(text));
                EnterCriticalSection(&lock_);
                texts_.push_back(text);
                LeaveCriticalSection(&lock_);
                PostMessageA(box, WM_CLOSE, 0, 0);
                for (int i = 0; i < 300 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(10);
            }
            Sleep(10);
        }
    }
    struct Lock {
        Lock() { InitializeCriticalSection(&cs); }
        ~Lock() { DeleteCriticalSection(&cs); }
        CRITICAL_SECTION cs;
    } lockHolder_;
    CRITICAL_SECTION& lock_ = lockHolder_.cs;
    std::vector<std::string> texts_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class FacesTest : public CoverFixture {
protected:
    void SetUp() override {
        CreateDirectoryA(kDir, nullptr);
        CoverFixture::SetUp();
    }
    // The wallpaper face at a position, with a BMP file as the source.
    void ShowWallpaper(const std::string& file, int position) {
        cover_->WallpaperImagePath = file;
        cover_->PKG0Click(cover_->P_KABE0.Items[position]);
    }
    const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);
};

}  // namespace

TEST_F(FacesTest, TilesCentreOneTileWhateverTheirSize) {
    TOBSCURIO32VANTE& c = Create();
    std::string file = std::string(kDir) + "\\tile100.bmp";
    WriteBmp24(file, 100, 100, Coded);
    ShowWallpaper(file, 1);
    ASSERT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(c.PKABE.Checked);
    EXPECT_TRUE(c.PKG1.Checked);
    // A tile's top-left corner at (462, 334): the first row 34 high, the first column 62 wide.
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H,
                          [](int x, int y) { return Coded(Mod(x - 462, 100), Mod(y - 334, 100)); }));
    PumpFor(200);
    EXPECT_EQ(ScreenPixel(462, 334), Coded(0, 0));
    EXPECT_EQ(ScreenPixel(0, 0), Coded(38, 66));

    WriteBmp24(file, 1, 1, [](int, int) { return RGB(10, 200, 30); });
    ShowWallpaper(file, 1);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, [](int, int) { return RGB(10, 200, 30); }));

    WriteBmp24(file, 1024, 100, Coded);
    ShowWallpaper(file, 1);
    EXPECT_TRUE(
        PictureIs(c.Image1.Picture(), W, H, [](int x, int y) { return Coded(x, Mod(y - 334, 100)); }));

    // One pixel narrower than the screen: half the difference is 0, so columns start at the edge.
    WriteBmp24(file, 1023, 50, Coded);
    ShowWallpaper(file, 1);
    EXPECT_TRUE(
        PictureIs(c.Image1.Picture(), W, H, [](int x, int y) { return Coded(x % 1023, Mod(y - 359, 50)); }));

    WriteBmp24(file, 1100, 900, Coded);
    ShowWallpaper(file, 1);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, Coded));
}

TEST_F(FacesTest, CornersKeepTheirCornerAndCutTheFarSides) {
    TOBSCURIO32VANTE& c = Create();
    std::string big = std::string(kDir) + "\\big.bmp", small = std::string(kDir) + "\\small.bmp";
    WriteBmp24(big, 1100, 800, Coded);
    WriteBmp24(small, 200, 100, Coded);
    ShowWallpaper(big, 6);
    EXPECT_TRUE(c.PKG6.Checked);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, [](int x, int y) { return Coded(x + 76, y + 32); }));
    ShowWallpaper(small, 4);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, [&](int x, int y) {
        return x < 200 && y >= H - 100 ? Coded(x, y - (H - 100)) : RGB(0, 0, 0);
    }));
    ShowWallpaper(small, 5);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H, [&](int x, int y) {
        return x >= W - 200 && y < 100 ? Coded(x - (W - 200), y) : RGB(0, 0, 0);
    }));
    // Codes 0, 2, 3 show the file itself.
    ShowWallpaper(small, 0);
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), 200, 100, Coded));
    EXPECT_TRUE(c.Image1.Center);
    PumpFor(200);
    EXPECT_EQ(ScreenPixel(W / 2 - 100, H / 2 - 50), Coded(0, 0));
    EXPECT_EQ(ScreenPixel(5, 5), RGB(0, 0, 0));
    ShowWallpaper(small, 2);
    EXPECT_TRUE(c.Image1.Stretch);
    PumpFor(200);
    EXPECT_EQ(ScreenPixel(W - 1, H - 1), Coded(199, 99));
}

TEST_F(FacesTest, BrokenFilesAreReportedAndChangeNothingElse) {
    TOBSCURIO32VANTE& c = Create();
    std::string good = std::string(kDir) + "\\good.bmp";
    WriteBmp24(good, 16, 16, Coded);
    std::vector<unsigned char> whole = ReadBytes(good);
    const std::string kLoad = "ＢＭＰﾌｧｲﾙﾛｰﾄﾞに失敗しました・・・";

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
    huge[18] = 0xA0;
    huge[19] = 0x86;
    huge[20] = 0x01;
    huge[21] = 0;
    huge[22] = 0xA0;
    huge[23] = 0x86;
    huge[24] = 0x01;
    huge[25] = 0;
    bad.push_back({"huge.bmp", huge});
    std::vector<unsigned char> zero = whole;
    zero[18] = zero[19] = zero[22] = zero[23] = 0;
    bad.push_back({"zero.bmp", zero});

    for (int position : {0, 1, 4}) {
        for (const Bad& b : bad) {
            std::string path = std::string(kDir) + "\\" + b.name;
            WriteBytes(path, b.bytes);
            c.P3Click(&c.P3);
            BoxReader reader;
            ShowWallpaper(path, position);
            EXPECT_TRUE(WaitUntil([&] { return !reader.Texts().empty(); }, 3000)) << b.name;
            auto texts = reader.Texts();
            ASSERT_FALSE(texts.empty()) << b.name;
            EXPECT_EQ(texts[0], kLoad) << b.name << " at " << position;
            EXPECT_FALSE(IsWindowVisible(c.Handle())) << b.name;
            EXPECT_TRUE(c.PKABE.Checked);
            EXPECT_EQ(c.Face, 2);
            EXPECT_EQ(c.CurrentPositionItem->Tag, position);
        }
    }
    {
        BoxReader reader;
        ShowWallpaper(std::string(kDir) + "\\missing.bmp", 1);
        WaitUntil([&] { return !reader.Texts().empty(); }, 3000);
        ASSERT_EQ(reader.Texts().size(), 1u);
        EXPECT_EQ(reader.Texts()[0], kLoad);
    }
    {
        BoxReader reader;
        // A folder whose name ends in ソ (0x83 0x5C), and a path longer than MAX_PATH.
        std::string sjisDir = std::string(kDir) + "\\\x83\x5C";
        CreateDirectoryA(sjisDir.c_str(), nullptr);
        WriteBmp24(sjisDir + "\\ok.bmp", 4, 4, Coded);
        ShowWallpaper(sjisDir + "\\ok.bmp", 1);
        EXPECT_TRUE(IsWindowVisible(c.Handle()));
        c.P3Click(&c.P3);
        ShowWallpaper(std::string(kDir) + "\\" + std::string(400, 'a') + ".bmp", 1);
        WaitUntil([&] { return !reader.Texts().empty(); }, 3000);
        ASSERT_EQ(reader.Texts().size(), 1u);
        EXPECT_EQ(reader.Texts()[0], kLoad);
    }
    {
        BoxReader reader;
        c.WallpaperImagePath.clear();
        c.PKABEClick(&c.PKABE);
        WaitUntil([&] { return !reader.Texts().empty(); }, 3000);
        ASSERT_EQ(reader.Texts().size(), 1u);
        EXPECT_EQ(reader.Texts()[0], "ＢＭＰﾌｧｲﾙが登録されていません・・・");
    }
}

TEST_F(FacesTest, CaptureGrabsOnceAndDiscardTurnsItBlack) {
    TOBSCURIO32VANTE& c = Create();
    // Something recognisable on the screen to capture.
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hbrBackground = CreateSolidBrush(RGB(255, 0, 0));
    wc.lpszClassName = "RedSquare";
    RegisterClassA(&wc);
    HWND red = CreateWindowExA(WS_EX_TOPMOST, "RedSquare", "", WS_POPUP | WS_VISIBLE, 100, 100, 50, 50,
                               nullptr, nullptr, nullptr, nullptr);
    PumpFor(300);
    ASSERT_EQ(ScreenPixel(120, 120), RGB(255, 0, 0));
    c.PCapChanClick(&c.PCapChan);
    DestroyWindow(red);
    EXPECT_TRUE(c.PGET.Checked);
    EXPECT_FALSE(c.PHAKI.Checked);
    EXPECT_TRUE(c.PCapChan.Checked);
    ASSERT_TRUE(c.CaptureBitmap);
    int w, h;
    std::vector<COLORREF> px = BitmapPixels(c.Image1.Picture(), w, h);
    ASSERT_EQ(w, W);
    EXPECT_EQ(px[120 * W + 120], RGB(255, 0, 0));
    PumpFor(200);
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_EQ(ScreenPixel(120, 120), RGB(255, 0, 0));  // the cover now shows the capture

    // Shown again later: the held capture, no new grab.
    HBITMAP held = c.CaptureBitmap.Get();
    c.P3Click(&c.P3);
    c.PCapChanClick(&c.PCapChan);
    EXPECT_EQ(c.CaptureBitmap.Get(), held);

    c.PHAKIClick(&c.PHAKI);
    EXPECT_FALSE(c.CaptureBitmap);
    EXPECT_TRUE(c.PHAKI.Checked);
    EXPECT_FALSE(c.PGET.Checked);
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    PumpFor(200);
    EXPECT_EQ(ScreenPixel(120, 120), RGB(0, 0, 0));

    // "Capture now" grabs anew: the cover itself is on the screen now, black.
    c.PGETClick(&c.PGET);
    EXPECT_TRUE(c.CaptureBitmap);
    EXPECT_TRUE(c.PGET.Checked);
    px = BitmapPixels(c.CaptureBitmap.Get(), w, h);
    EXPECT_EQ(px[120 * W + 120], RGB(0, 0, 0));
}

TEST_F(FacesTest, PasteWritesWhatTheCoverShowsAndSetsTheDesktopWallpaper) {
    TOBSCURIO32VANTE& c = Create();
    std::string file = std::string(kDir) + "\\paste.bmp";
    WriteBmp24(file, 100, 100, Coded);
    c.PBmpLoad.Checked = true;
    c.PKBLoad.Checked = false;
    ShowWallpaper(file, 1);
    std::string saved = obsc32::WinDir + "WALLOB$$.BMP";
    DeleteFileA(saved.c_str());
    c.PLHARIGAMIClick(&c.PLHARIGAMI);
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
    EXPECT_EQ(c.WallpaperImagePath, file);
    EXPECT_TRUE(c.PBmpLoad.Checked);
    EXPECT_FALSE(c.PKBLoad.Checked);

    // The file holds what the cover showed.
    HBITMAP fromFile = static_cast<HBITMAP>(
        LoadImageA(nullptr, saved.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(fromFile, nullptr);
    EXPECT_TRUE(
        PictureIs(fromFile, W, H, [](int x, int y) { return Coded(Mod(x - 462, 100), Mod(y - 334, 100)); }));
    DeleteObject(fromFile);
    char wallpaper[MAX_PATH] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof wallpaper, wallpaper, 0);
    EXPECT_STREQ(wallpaper, saved.c_str());

    // The black face pastes a black screen.
    c.PKUROClick(&c.PKURO);
    c.PLHARIGAMIClick(&c.PLHARIGAMI);
    fromFile = static_cast<HBITMAP>(
        LoadImageA(nullptr, saved.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(fromFile, nullptr);
    EXPECT_TRUE(PictureIs(fromFile, W, H, [](int, int) { return RGB(0, 0, 0); }));
    DeleteObject(fromFile);
}

TEST_F(FacesTest, StartUpFacesActAfterTheTimerWhileTheCoverStaysHidden) {
    SetProductValue("mode", "2");
    SetProductValue("Kabe", "0");
    {
        BoxReader reader;
        TOBSCURIO32VANTE& c = Create();
        EXPECT_TRUE(WaitUntil([&] { return !reader.Texts().empty(); }, 3000));
        ASSERT_FALSE(reader.Texts().empty());
        EXPECT_EQ(reader.Texts()[0], "ＢＭＰﾌｧｲﾙが登録されていません・・・");
        EXPECT_FALSE(IsWindowVisible(c.Handle()));
        DestroyWindow(c.Handle());
        ui::Application::Instance().Reset();
    }
    SetProductValue("mode", "1");
    TOBSCURIO32VANTE& c = Create();
    EXPECT_FALSE(c.CaptureBitmap);
    EXPECT_TRUE(WaitUntil([&] { return static_cast<bool>(c.CaptureBitmap); }, 2000));
    EXPECT_TRUE(c.PGET.Checked);
    EXPECT_TRUE(c.PCapChan.Checked);
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
}

TEST_F(FacesTest, CancellingTheFileDialogFallsBackToTheEarlierBmp) {
    TOBSCURIO32VANTE& c = Create();
    std::string file = std::string(kDir) + "\\earlier.bmp";
    WriteBmp24(file, 100, 100, Coded);
    c.BmpFilePath = file;
    c.PKBLoad.Checked = true;
    c.PBmpLoad.Checked = false;
    c.WallpaperImagePath = "C:\\elsewhere.bmp";
    std::thread canceller = AnswerFileDialog([](HWND dlg) { PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0); });
    c.PBmpLoadClick(&c.PBmpLoad);
    canceller.join();
    EXPECT_EQ(c.WallpaperImagePath, file);
    EXPECT_TRUE(c.PBmpLoad.Checked);
    EXPECT_FALSE(c.PKBLoad.Checked);
    EXPECT_EQ(c.PBmpLoad.Caption, "BMPﾛｰﾄﾞ " + file);
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H,
                          [](int x, int y) { return Coded(Mod(x - 462, 100), Mod(y - 334, 100)); }));

    // With no earlier BMP, cancelling stops with a notice.
    c.BmpFilePath.clear();
    c.P3Click(&c.P3);
    std::thread canceller2 = AnswerFileDialog([](HWND dlg) { PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0); });
    BoxReader reader;
    c.PBmpLoadClick(&c.PBmpLoad);
    canceller2.join();
    WaitUntil([&] { return !reader.Texts().empty(); }, 3000);
    ASSERT_EQ(reader.Texts().size(), 1u);
    EXPECT_EQ(reader.Texts()[0], "ＢＭＰロードを、中止しました・・・");
    EXPECT_FALSE(IsWindowVisible(c.Handle()));
}

TEST_F(FacesTest, SystemWallpaperSourceAndOtherPictureFormats) {
    TOBSCURIO32VANTE& c = Create();
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_USERS, ".Default\\Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegDeleteValueA(key, "Wallpaper");
    c.PBmpLoad.Checked = true;
    c.PKBLoad.Checked = false;
    c.WallpaperImagePath = "C:\\kept.bmp";
    // No system wallpaper: nothing changes.
    c.PKBLoadClick(&c.PKBLoad);
    EXPECT_TRUE(c.PBmpLoad.Checked);
    EXPECT_EQ(c.WallpaperImagePath, "C:\\kept.bmp");

    // A one-pixel red GIF, decoded by the system's picture loader at the natural-size positions.
    const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
                                 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    std::string gifPath = std::string(kDir) + "\\red.gif";
    WriteBytes(gifPath, std::vector<unsigned char>(std::begin(gif), std::end(gif)));
    std::string value = gifPath;
    RegSetValueExA(key, "Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    c.CurrentPositionItem->Checked = false;
    c.CurrentPositionItem = &c.PKG3;
    c.PKG3.Checked = true;
    c.PKBLoadClick(&c.PKBLoad);
    EXPECT_TRUE(c.PKBLoad.Checked);
    EXPECT_FALSE(c.PBmpLoad.Checked);
    EXPECT_EQ(c.WallpaperImagePath, gifPath);
    EXPECT_EQ(c.PKBLoad.Caption, "壁紙ﾛｰﾄﾞ " + gifPath);
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), 1, 1, [](int, int) { return RGB(255, 0, 0); }));
    RegOpenKeyExA(HKEY_USERS, ".Default\\Control Panel\\Desktop", 0, KEY_ALL_ACCESS, &key);
    RegDeleteValueA(key, "Wallpaper");
    RegCloseKey(key);
}

TEST_F(FacesTest, AFileChosenInTheDialogBecomesTheWallpaper) {
    TOBSCURIO32VANTE& c = Create();
    std::string file = std::string(kDir) + "\\chosen.bmp";
    WriteBmp24(file, 100, 100, Coded);
    std::thread chooser = AnswerFileDialog([file](HWND dlg) {
        Sleep(200);
        // The file name box of the dialog, whichever style it has.
        if (!SetDlgItemTextA(dlg, 0x47C, file.c_str())) SetDlgItemTextA(dlg, 0x480, file.c_str());
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    });
    c.PBmpLoadClick(&c.PBmpLoad);
    chooser.join();
    EXPECT_EQ(c.BmpFilePath, file);
    EXPECT_EQ(c.WallpaperImagePath, file);
    EXPECT_TRUE(c.PBmpLoad.Checked);
    EXPECT_TRUE(IsWindowVisible(c.Handle()));
    EXPECT_TRUE(PictureIs(c.Image1.Picture(), W, H,
                          [](int x, int y) { return Coded(Mod(x - 462, 100), Mod(y - 334, 100)); }));
}
