#include "ui/image.hpp"

namespace ui {

void Image::SetPicture(Bitmap picture) {
    // Not make_shared: without RTTI it links the library's whole shared-pointer support for one type check.
    SetPicture(picture ? std::shared_ptr<const Bitmap>(new Bitmap(std::move(picture))) : nullptr);
}

void Image::SetPicture(std::shared_ptr<const Bitmap> picture) {
    picture_ = std::move(picture);
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

void Image::SetIcon(HICON icon) {
    icon_ = icon;
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

void Image::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    if (icon_) {
        FillRect(dc, &client, Parent->BrushOf(Color()));
        const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
        DrawIconEx(dc, Center ? (client.right - cx) / 2 : 0, Center ? (client.bottom - cy) / 2 : 0, icon_, cx,
                   cy, 0, nullptr, DI_NORMAL);
        return;
    }
    SIZE size = PictureSize();
    if (size.cx <= 0 || size.cy <= 0) {
        FillRect(dc, &client, Parent->BrushOf(Color()));
        return;
    }
    MemoryDC src(CreateCompatibleDC(dc));
    SelectObjectScope select(src.Get(), Picture());
    if (Stretch) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, client.right, client.bottom, src.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
        return;
    }
    int x = Center ? (client.right - size.cx) / 2 : 0;
    int y = Center ? (client.bottom - size.cy) / 2 : 0;
    // Only what the picture does not cover shows the parent's colour, so nothing flickers.
    ExcludeClipRect(dc, x, y, x + size.cx, y + size.cy);
    FillRect(dc, &client, Parent->BrushOf(Color()));
    SelectClipRgn(dc, nullptr);
    BitBlt(dc, x, y, size.cx, size.cy, src.Get(), 0, 0, SRCCOPY);
}

bool Image::ControlMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT&) {
    return DispatchMouseDown(OnMouseDown, this, msg, lParam);
}

}  // namespace ui
