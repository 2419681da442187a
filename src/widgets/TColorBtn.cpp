#include "widgets/TColorBtn.hpp"

#include <windowsx.h>

#include <algorithm>

#include "shell/path_text.hpp"
#include "ui/handles.hpp"
#include "ui/wide.hpp"

namespace obsc32 {

namespace {

// A colour with the top bit set names a system colour by its low bits.
COLORREF Resolve(COLORREF c) { return (c & 0x80000000u) ? GetSysColor(static_cast<int>(c & 0xFFFFFF)) : c; }

BYTE Darker(BYTE v) { return static_cast<BYTE>(std::max(0, v - 32)); }

void FillSolid(HDC dc, int l, int t, int r, int b, COLORREF c) {
    RECT rc{l, t, r, b};
    SetBkColor(dc, c);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

// The caption's accelerator: the character after the first single '&' ("&&" is a literal one).
char Accelerator(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1];
        ++i;
    }
    return 0;
}

bool SameLetter(char a, char b) {
    return AsciiCase(std::string(1, a), false) == AsciiCase(std::string(1, b), false);
}

}  // namespace

TColorBtn::TColorBtn(ui::Form* parent, const char* name, const char* caption) : Control(parent, name) {
    SetBounds(Left(), Top(), 75, 25);
    TabStop = true;
    SetParentColor(true);
    SetCaption(caption);
    activeDefault_ = default_;
}

void TColorBtn::SetDefault(bool value) {
    default_ = value;
    if (!HandleAllocated()) {
        // Before the window exists no focus has been evaluated yet.
        activeDefault_ = value;
        return;
    }
    // Every button of the form re-evaluates its marking against the current focus.
    for (ui::Control* c : Parent->Controls()) c->FocusChanged(Parent->ActiveControl());
}

void TColorBtn::SetBevelWidth(int width) {
    if (width == bevelWidth_) return;
    bevelWidth_ = width;
    Invalidate();
}

void TColorBtn::Click() {
    if (OnClick) OnClick(this);
}

bool TColorBtn::DialogChar(char ch) {
    char accel = Accelerator(Caption());
    if (!accel || !SameLetter(accel, ch) || !Enabled()) return false;
    Click();
    return true;
}

bool TColorBtn::DialogKey(UINT vk) {
    bool wanted = (vk == VK_RETURN && activeDefault_) || (vk == VK_ESCAPE && Cancel);
    if (!wanted) return false;
    if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    if (!CanFocus()) return false;
    Click();
    return true;
}

void TColorBtn::FocusChanged(ui::Control* focused) {
    if (focused && focused->IsPushButton())
        activeDefault_ = focused == this;
    else
        activeDefault_ = default_;
    SetBevelWidth(activeDefault_ ? 2 : 1);
    Repaint();
}

void TColorBtn::PressLook(bool takeFocus) {
    savedColor_ = Color();
    COLORREF face = Resolve(savedColor_);
    savedParentColor_ = ParentColor();
    savedParentFont_ = ParentFont();
    SetColor(RGB(Darker(GetRValue(face)), Darker(GetGValue(face)), Darker(GetBValue(face))));
    savedFontColor_ = FontColor();
    SetFontColor(Resolve(savedFontColor_) == RGB(0, 0, 0) ? RGB(51, 51, 51) : RGB(221, 221, 221));
    if (takeFocus && CanFocus()) SetFocus();
    lowered_ = true;
    Invalidate();
    SetBounds(Left() + 1, Top() + 1, Width(), Height());
    down_ = true;
}

void TColorBtn::ReleaseLook() {
    down_ = false;
    lowered_ = false;
    Invalidate();
    SetBounds(Left() - 1, Top() - 1, Width(), Height());
    if (savedParentColor_)
        SetParentColor(true);
    else
        SetColor(savedColor_);
    if (savedParentFont_)
        SetParentFont(true);
    else
        SetFontColor(savedFontColor_);
}

void TColorBtn::Paint(HDC target) {
    RECT client;
    GetClientRect(Handle(), &client);
    int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) return;
    // Drawn off-screen first so a press or a focus change never flickers.
    ui::MemoryDC dc(CreateCompatibleDC(target));
    ui::Bitmap canvas(CreateCompatibleBitmap(target, w, h));
    if (!dc || !canvas) return;
    ui::SelectObjectScope selectCanvas(dc.Get(), canvas.Get());

    FillSolid(dc.Get(), 0, 0, w, h, Resolve(Color()));
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    COLORREF topLeft = lowered_ ? dark : light, bottomRight = lowered_ ? light : dark;
    for (int i = 0; i < bevelWidth_ && i * 2 < std::min(w, h); ++i) {
        int l = i, t = i, r = w - i, b = h - i;
        FillSolid(dc.Get(), l, t, r - 1, t + 1, topLeft);
        FillSolid(dc.Get(), l, t, l + 1, b - 1, topLeft);
        FillSolid(dc.Get(), r - 1, t, r, b, bottomRight);
        FillSolid(dc.Get(), l, b - 1, r, b, bottomRight);
    }

    {
        ui::SelectObjectScope selectFont(dc.Get(), Parent->Font());
        SetBkMode(dc.Get(), TRANSPARENT);
        SetTextColor(dc.Get(), Enabled() ? Resolve(FontColor()) : GetSysColor(COLOR_GRAYTEXT));
        RECT text{bevelWidth_, bevelWidth_, w - bevelWidth_, h - bevelWidth_};
        const std::wstring caption = ui::Wide(Caption());
        DrawTextW(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    BitBlt(target, 0, 0, w, h, dc.Get(), 0, 0, SRCCOPY);
}

void TColorBtn::MouseDown(ui::MouseButton button, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, x, y);
    if (button != ui::MouseButton::Left || down_) return;
    mouseTracking_ = true;
    // Moves outside the button must still arrive to notice a drag out and back in.
    SetCapture(Handle());
    PressLook(true);
}

void TColorBtn::MouseMove(int x, int y) {
    if (mouseTracking_) {
        bool inside = x > 1 && y > 1 && x < Width() && y < Height();
        if (inside && leftWhilePressed_) {
            leftWhilePressed_ = false;
            if (!down_) PressLook(false);
        } else if (!inside && down_) {
            ReleaseLook();
            leftWhilePressed_ = true;
        }
    }
    if (OnMouseMove) OnMouseMove(this, x, y);
}

void TColorBtn::MouseUp(ui::MouseButton button, int x, int y) {
    // Any button's release ends the tracking; only the left one's can click.
    leftWhilePressed_ = false;
    mouseTracking_ = false;
    bool left = button == ui::MouseButton::Left;
    bool click = left && down_;
    if (click) ReleaseLook();
    if (left && GetCapture() == Handle()) ReleaseCapture();
    if (click) Click();
    if (OnMouseUp) OnMouseUp(this, button, x, y);
}

void TColorBtn::KeyDown(WORD key) {
    if (OnKeyDown) OnKeyDown(this, key);
    if (key == VK_SPACE && !mouseTracking_ && !down_) PressLook(false);
}

void TColorBtn::KeyUp(WORD key) {
    if (key == VK_SPACE && !mouseTracking_) {
        leftWhilePressed_ = false;
        if (down_) {
            ReleaseLook();
            Click();
        }
    }
    if (OnKeyUp) OnKeyUp(this, key);
}

bool TColorBtn::ControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
    using ui::MouseButton;
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: MouseDown(MouseButton::Left, x, y); return true;
        case WM_RBUTTONDOWN: MouseDown(MouseButton::Right, x, y); return false;
        case WM_MBUTTONDOWN: MouseDown(MouseButton::Middle, x, y); return false;
        case WM_MOUSEMOVE: MouseMove(x, y); return false;
        case WM_LBUTTONUP: MouseUp(MouseButton::Left, x, y); return true;
        case WM_RBUTTONUP: MouseUp(MouseButton::Right, x, y); return false;
        case WM_MBUTTONUP: MouseUp(MouseButton::Middle, x, y); return false;
        case WM_CAPTURECHANGED:
            // Capture taken away mid-press (another window, a modal loop): no click can follow.
            if (reinterpret_cast<HWND>(lParam) != Handle()) {
                mouseTracking_ = false;
                leftWhilePressed_ = false;
                if (down_) ReleaseLook();
            }
            return true;
        case WM_KEYDOWN: KeyDown(static_cast<WORD>(wParam)); return false;
        case WM_KEYUP: KeyUp(static_cast<WORD>(wParam)); return false;
        default: return false;
    }
}

}  // namespace obsc32
