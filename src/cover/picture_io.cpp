#include "cover/picture_io.hpp"

#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <new>
#include <vector>

#include "cover/bmp_format.hpp"
#include "shell/path_text.hpp"
#include "shell/whole_file.hpp"
#include "ui/dpi_awareness.hpp"
#include "ui/gdi.hpp"
#include "ui/wide.hpp"

namespace obsc32 {

namespace {

// Files larger than this are not pictures this program shows.
constexpr DWORD kMaxFileBytes = 512u * 1024 * 1024;

std::string LowerExtension(const std::string& path) {
    std::string name = AsciiCase(path, true);
    size_t dot = name.find_last_of('.');
    size_t slash = name.find_last_of('\\');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return name.substr(dot + 1);
}

ui::Bitmap LoadWithOle(const std::string& path) {
    const std::optional<std::vector<uint8_t>> read = ReadWholeFile(path, kMaxFileBytes);
    if (!read || read->empty()) return {};
    const std::vector<uint8_t>& data = *read;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, data.size());
    if (!mem) return {};
    memcpy(GlobalLock(mem), data.data(), data.size());
    GlobalUnlock(mem);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(mem, TRUE, &stream))) {
        GlobalFree(mem);
        return {};
    }
    IPicture* picture = nullptr;
    HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(data.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || !picture) return {};
    OLE_XSIZE_HIMETRIC hmw = 0;
    OLE_YSIZE_HIMETRIC hmh = 0;
    picture->get_Width(&hmw);
    picture->get_Height(&hmh);
    ui::WindowDC screen = ui::WindowDC::Of(nullptr);
    int w = MulDiv(hmw, GetDeviceCaps(screen.Get(), LOGPIXELSX), 2540);
    int h = MulDiv(hmh, GetDeviceCaps(screen.Get(), LOGPIXELSY), 2540);
    ui::Bitmap out;
    bool rendered = false;
    if (w > 0 && h > 0 && static_cast<uint64_t>(w) * h <= 64ull * 1024 * 1024) {
        out = MakeScreenBitmap(w, h);
        if (out) {
            ui::MemoryDC dc(CreateCompatibleDC(screen.Get()));
            ui::SelectObjectScope sel(dc.Get(), out.Get());
            rendered = SUCCEEDED(picture->Render(dc.Get(), 0, 0, w, h, 0, hmh, hmw, -hmh, nullptr));
        }
    }
    picture->Release();
    if (!rendered) out.Reset();
    return out;
}

// The colour table of an indexed file as a palette (the checks of ParseBmp keep the reads in the file).
Palette PaletteOf(const std::vector<uint8_t>& data, const BmpInfo& info) {
    if (info.BitCount > 8 || info.ColorsUsed == 0) return {};
    const size_t entrySize = info.HeaderSize == 12 ? 3 : 4;
    std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + info.ColorsUsed * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(info.ColorsUsed);
    for (uint32_t i = 0; i < info.ColorsUsed; ++i) {
        const uint8_t* bgr = data.data() + info.ColorTableOffset + i * entrySize;
        log->palPalEntry[i] = PALETTEENTRY{bgr[2], bgr[1], bgr[0], 0};
    }
    return Palette(CreatePalette(log));
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT r, LPARAM list) {
    MonitorInfo info{{}, {r->left, r->top, r->right, r->bottom}, false};
    MONITORINFOEXW mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoW(monitor, &mi)) {
        info.Primary = (mi.dwFlags & MONITORINFOF_PRIMARY) != 0;
        // The first device of the adapter's output is the monitor on it.
        DISPLAY_DEVICEW device{};
        device.cb = sizeof device;
        if (EnumDisplayDevicesW(mi.szDevice, 0, &device, 0)) info.DeviceId = ui::Narrow(device.DeviceID);
    }
    reinterpret_cast<std::vector<MonitorInfo>*>(list)->push_back(std::move(info));
    return TRUE;
}

}  // namespace

ui::Bitmap MakeScreenBitmap(int width, int height) {
    if (width <= 0 || height <= 0) return {};
    ui::WindowDC screen = ui::WindowDC::Of(nullptr);
    ui::Bitmap bmp(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!bmp) return {};
    ui::MemoryDC dc(CreateCompatibleDC(screen.Get()));
    ui::SelectObjectScope sel(dc.Get(), bmp.Get());
    if (!PatBlt(dc.Get(), 0, 0, width, height, BLACKNESS)) return {};
    return bmp;
}

Picture LoadBmpFile(const std::string& path) {
    const std::optional<std::vector<uint8_t>> read = ReadWholeFile(path, kMaxFileBytes);
    if (!read) return {};
    const std::vector<uint8_t>& data = *read;
    BmpInfo info;
    if (ParseBmp(data.data(), data.size(), info) != BmpError::None) return {};
    Picture out{MakeScreenBitmap(info.Width, info.AbsHeight()), {}};
    if (!out.Bitmap) return {};
    ui::WindowDC screen = ui::WindowDC::Of(nullptr);
    ui::MemoryDC dc(CreateCompatibleDC(screen.Get()));
    ui::SelectObjectScope sel(dc.Get(), out.Bitmap.Get());
    // A header of our own: the file's may be a V4 or V5 one whose profile offset points anywhere.
    const std::vector<uint8_t> headers = GdiBitmapHeader(data.data(), info);
    const auto* header = reinterpret_cast<const BITMAPINFO*>(headers.data());
    int lines =
        StretchDIBits(dc.Get(), 0, 0, info.Width, info.AbsHeight(), 0, 0, info.Width, info.AbsHeight(),
                      data.data() + info.PixelOffset, header, DIB_RGB_COLORS, SRCCOPY);
    if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) return {};
    out.Colors = PaletteOf(data, info);
    return out;
}

ui::Bitmap LoadPictureFile(const std::string& path) {
    std::string ext = LowerExtension(path);
    if (ext == "jpg" || ext == "jpeg" || ext == "gif" || ext == "png" || ext == "ico" || ext == "wmf" ||
        ext == "emf")
        return LoadWithOle(path);
    return std::move(LoadBmpFile(path).Bitmap);
}

std::vector<MonitorInfo> ReadMonitors() {
    ui::DpiAwarenessScope realPixels(ui::DpiAwarenessScope::PerMonitor);
    std::vector<MonitorInfo> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

ScreenLayout ReadScreenLayout(const ScreenChoice& choice) {
    // An unaware thread is told the screen scaled down to 96 DPI.
    ui::DpiAwarenessScope realPixels(ui::DpiAwarenessScope::PerMonitor);
    const ScreenRect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (choice.What == ScreenChoice::Kind::PrimaryOnly) return CoverLayout(false, {}, primary, {});
    const std::vector<MonitorInfo> monitors = ReadMonitors();
    if (choice.What == ScreenChoice::Kind::Listed) {
        const std::vector<std::size_t> chosen = ChosenMonitors(choice, monitors);
        std::vector<ScreenRect> places;
        for (std::size_t i : chosen) places.push_back(monitors[i].Place);
        const ScreenRect corner = chosen.empty() ? primary : monitors[CornerMonitor(chosen, monitors)].Place;
        return ChosenLayout(places, corner, primary);
    }
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const ScreenRect virtualScreen{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                   y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    std::vector<ScreenRect> places;
    for (const MonitorInfo& m : monitors) places.push_back(m.Place);
    return CoverLayout(true, virtualScreen, primary, places);
}

ui::Bitmap GrabScreenBitmap(int width, int height, int left, int top) {
    // An unaware thread would copy the screen scaled down to 96 DPI, shown blurred when stretched back.
    ui::DpiAwarenessScope realPixels(ui::DpiAwarenessScope::PerMonitor);
    ui::WindowDC screen = ui::WindowDC::Of(nullptr);
    ui::Bitmap bmp(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!bmp) return {};
    ui::MemoryDC dc(CreateCompatibleDC(screen.Get()));
    ui::SelectObjectScope sel(dc.Get(), bmp.Get());
    // Band by band: what the system reads the screen into on the way is then a band, not a second screen.
    constexpr int kBand = 256;
    for (int y = 0; y < height; y += kBand)
        if (!BitBlt(dc.Get(), 0, y, width, std::min(kBand, height - y), screen.Get(), left, top + y, SRCCOPY))
            return {};
    return bmp;
}

void ClipboardRoundTrip(ui::Bitmap& bitmap, HWND owner) {
    if (!bitmap || !OpenClipboard(owner)) return;
    EmptyClipboard();
    ui::Bitmap copy(static_cast<HBITMAP>(CopyImage(bitmap.Get(), IMAGE_BITMAP, 0, 0, 0)));
    if (copy && SetClipboardData(CF_BITMAP, copy.Get())) (void)copy.Release();  // the clipboard owns it now
    if (HANDLE back = GetClipboardData(CF_BITMAP)) {
        ui::Bitmap fromClipboard(static_cast<HBITMAP>(CopyImage(back, IMAGE_BITMAP, 0, 0, 0)));
        if (fromClipboard) bitmap = std::move(fromClipboard);
    }
    CloseClipboard();
}

void RunPlan(HBITMAP target, HBITMAP tile, const std::vector<Blit>& plan, HPALETTE palette) {
    ui::WindowDC screen = ui::WindowDC::Of(nullptr);
    ui::MemoryDC dst(CreateCompatibleDC(screen.Get()));
    ui::MemoryDC src(CreateCompatibleDC(screen.Get()));
    ui::SelectObjectScope d(dst.Get(), target);
    ui::SelectObjectScope s(src.Get(), tile);
    HPALETTE oldPalette = nullptr;
    if (palette) {
        oldPalette = SelectPalette(dst.Get(), palette, FALSE);
        RealizePalette(dst.Get());
        // A target with a colour table (a DIB section of 256 colours or fewer) takes the palette's colours.
        PALETTEENTRY entries[256];
        const UINT n = GetPaletteEntries(palette, 0, 256, entries);
        RGBQUAD table[256];
        for (UINT i = 0; i < n; ++i)
            table[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
        if (n) SetDIBColorTable(dst.Get(), 0, n, table);
    }
    for (const Blit& b : plan) {
        HDC from = b.From == Blit::FromTile ? src.Get() : dst.Get();
        BitBlt(dst.Get(), b.X, b.Y, b.W, b.H, from, b.SX, b.SY, SRCCOPY);
    }
    if (oldPalette) SelectPalette(dst.Get(), oldPalette, FALSE);
}

void StretchInto(HBITMAP target, HBITMAP picture, const std::vector<ScreenRect>& rects) {
    if (rects.empty()) return;
    ui::WindowDC screen = ui::WindowDC::Of(nullptr);
    ui::MemoryDC dst(CreateCompatibleDC(screen.Get()));
    ui::MemoryDC src(CreateCompatibleDC(screen.Get()));
    ui::SelectObjectScope d(dst.Get(), target);
    ui::SelectObjectScope s(src.Get(), picture);
    const SIZE size = ui::BitmapSize(picture);
    // As the image control stretches the file on one monitor.
    SetStretchBltMode(dst.Get(), COLORONCOLOR);
    for (const ScreenRect& r : rects)
        StretchBlt(dst.Get(), r.Left, r.Top, r.Width(), r.Height(), src.Get(), 0, 0, size.cx, size.cy,
                   SRCCOPY);
}

ui::Bitmap CopyPart(HBITMAP bitmap, const ScreenRect& part) {
    ui::Bitmap out = MakeScreenBitmap(part.Width(), part.Height());
    if (!out) return {};
    ui::WindowDC screen = ui::WindowDC::Of(nullptr);
    ui::MemoryDC dst(CreateCompatibleDC(screen.Get()));
    ui::MemoryDC src(CreateCompatibleDC(screen.Get()));
    ui::SelectObjectScope d(dst.Get(), out.Get());
    ui::SelectObjectScope s(src.Get(), bitmap);
    if (!BitBlt(dst.Get(), 0, 0, part.Width(), part.Height(), src.Get(), part.Left, part.Top, SRCCOPY))
        return {};
    return out;
}

bool SaveBitmapAsBmp(HBITMAP bitmap, const std::string& path, int emptyWidth, int emptyHeight) {
    ui::Bitmap black;
    SIZE size = ui::BitmapSize(bitmap);
    if (size.cx <= 0 || size.cy <= 0) {
        // An empty picture is the black screen the user saw.
        black = MakeScreenBitmap(emptyWidth, emptyHeight);
        bitmap = black.Get();
        size = ui::BitmapSize(bitmap);
        if (!bitmap) return false;
    }
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof bih;
    bih.biWidth = size.cx;
    bih.biHeight = size.cy;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    const uint64_t stride = (static_cast<uint64_t>(size.cx) * 3 + 3) & ~3ull;
    const uint64_t pixels = stride * static_cast<uint64_t>(size.cy);
    if (pixels > kMaxFileBytes) return false;
    std::vector<uint8_t> stream;
    try {
        stream.resize(14 + sizeof bih + pixels);
    } catch (const std::bad_alloc&) {
        // A large screen in a crowded address space: a failed save, told as one.
        return false;
    }
    bih.biSizeImage = static_cast<DWORD>(pixels);
    {
        ui::WindowDC screen = ui::WindowDC::Of(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader = bih;
        if (GetDIBits(screen.Get(), bitmap, 0, size.cy, stream.data() + 14 + sizeof bih, &bi,
                      DIB_RGB_COLORS) != size.cy)
            return false;
    }
    const uint32_t fileSize = static_cast<uint32_t>(stream.size());
    const uint32_t offset = 14 + sizeof bih;
    const uint8_t fileHeader[14] = {'B',
                                    'M',
                                    static_cast<uint8_t>(fileSize),
                                    static_cast<uint8_t>(fileSize >> 8),
                                    static_cast<uint8_t>(fileSize >> 16),
                                    static_cast<uint8_t>(fileSize >> 24),
                                    0,
                                    0,
                                    0,
                                    0,
                                    static_cast<uint8_t>(offset),
                                    static_cast<uint8_t>(offset >> 8),
                                    0,
                                    0};
    memcpy(stream.data(), fileHeader, 14);
    memcpy(stream.data() + 14, &bih, sizeof bih);
    CorrectBmpPixelOffset(stream);

    ui::FileHandle file(CreateFileW(ui::WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.Get(), stream.data(), static_cast<DWORD>(stream.size()), &written, nullptr) &&
           written == stream.size();
}

}  // namespace obsc32
