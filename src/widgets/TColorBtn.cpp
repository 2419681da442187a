#include "widgets/TColorBtn.hpp"

#include <windowsx.h>

#include <algorithm>
#include <cctype>

namespace obsc32 {

namespace {

// A colour with the top bit set names a system colour by its low bits.
COLORREF Resolve(COLORREF c) { return (c & 0x80000000u) ? GetSysColor(static_cast<int>(c & 0xFFFFFF)) : c; }

BYTE Darker(BYTE v) { return static_cast<BYTE>(std::max(0, v - 32)); }

void FillSolid(HDC dc, int l, int t, int r, int b, COLORREF c) {
    RECT rc{l, t, r, b};
    SetBkColor(dc, c);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
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

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

TColorBtn::TColorBtn(ui::Form* parent, std::string name, std::string caption)
    : Control(parent, std::move(name)) {
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
    if (!accel || Upper(accel) != Upper(ch) || !Enabled()) return false;
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
    if (dynamic_cast<TColorBtn*>(focused))
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
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bmp = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);

    FillSolid(dc, 0, 0, w, h, Resolve(Color()));
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    COLORREF topLeft = lowered_ ? dark : light, bottomRight = lowered_ ? light : dark;
    for (int i = 0; i < bevelWidth_ && i * 2 < std::min(w, h); ++i) {
        int l = i, t = i, r = w - i, b = h - i;
        FillSolid(dc, l, t, r - 1, t + 1, topLeft);
        FillSolid(dc, l, t, l + 1, b - 1, topLeft);
        FillSolid(dc, r - 1, t, r, b, bottomRight);
        FillSolid(dc, l, b - 1, r, b, bottomRight);
    }

    HGDIOBJ oldFont = SelectObject(dc, Parent->Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? Resolve(FontColor()) : GetSysColor(COLOR_GRAYTEXT));
    RECT text{bevelWidth_, bevelWidth_, w - bevelWidth_, h - bevelWidth_};
    DrawTextA(dc, Caption().c_str(), static_cast<int>(Caption().size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);

    BitBlt(target, 0, 0, w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBmp);
    DeleteObject(bmp);
    DeleteDC(dc);
}

bool TColorBtn::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!down_) {
                mouseTracking_ = true;
                // Moves outside the button must still arrive to notice a drag out and back in.
                SetCapture(Handle());
                PressLook(true);
            }
            return true;
        case WM_MOUSEMOVE:
            if (mouseTracking_) {
                int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
                bool inside = x > 1 && y > 1 && x < Width() && y < Height();
                if (inside && leftWhilePressed_) {
                    leftWhilePressed_ = false;
                    if (!down_) PressLook(false);
                } else if (!inside && down_) {
                    ReleaseLook();
                    leftWhilePressed_ = true;
                }
            }
            return ControlMessage(msg, wParam, lParam, result);
        case WM_LBUTTONUP: {
            leftWhilePressed_ = false;
            bool tracked = mouseTracking_;
            mouseTracking_ = false;
            if (tracked && GetCapture() == Handle()) ReleaseCapture();
            if (down_) {
                ReleaseLook();
                // Last: the handler may open a modal window or end this button's form.
                Click();
            }
            return true;
        }
        case WM_CAPTURECHANGED:
            // Capture taken away mid-press (another window, a modal loop): no click can follow.
            if (mouseTracking_ && reinterpret_cast<HWND>(lParam) != Handle()) {
                mouseTracking_ = false;
                leftWhilePressed_ = false;
                if (down_) ReleaseLook();
            }
            return true;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && !mouseTracking_ && !down_) PressLook(false);
            return ControlMessage(msg, wParam, lParam, result);
        case WM_KEYUP:
            if (wParam == VK_SPACE && !mouseTracking_) {
                leftWhilePressed_ = false;
                if (down_) {
                    ReleaseLook();
                    Click();
                    return true;
                }
            }
            return ControlMessage(msg, wParam, lParam, result);
        default: return ControlMessage(msg, wParam, lParam, result);
    }
}

}  // namespace obsc32
