#include "widgets/mkbox_layout.hpp"

#include <algorithm>
#include <cmath>

namespace obsc32 {

int MKBoxLayout::ClientWidth() const { return Width - frameWidth; }
int MKBoxLayout::ClientHeight() const { return Height - frameHeight; }

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

MKBoxLayout LayoutMKBox(const MKBoxLayoutInput& in) {
    MKBoxLayout l;
    l.frameWidth = in.FrameWidth;
    l.frameHeight = in.FrameHeight;
    const int ib = kIconSize;
    l.Icon = {16, 16, ib, ib};
    l.Ok = l.Yes = l.No = l.Stop = l.Open = {0, 0, kButtonWidth, kButtonHeight};
    l.Select = {0, 0, kButtonWidth, kSelectHeight};
    l.Count = {0, 0, in.CountWidth, in.CountHeight};

    l.Memo = {2 * ib, kMemoTop, in.TextWidth + 10, in.TextHeight - 2 * in.FontHeight};
    l.Width = 3 * ib + l.Memo.Width;
    l.Height =
        ib > l.Memo.Height ? 3 * ib + l.Ok.Height + ib / 2 : l.Memo.Height + l.Ok.Height + 2 * ib + ib / 2;
    l.Icon.Top = std::max(16, l.Memo.Top + (l.Memo.Height - ib) / 2 - 4);

    const int contentBottom = std::max(l.Memo.Bottom(), l.Icon.Bottom());
    l.Ok.Top = contentBottom + (l.ClientHeight() - contentBottom - l.Ok.Height) / 2;
    l.Select.Top = l.Ok.Top - l.Select.Height;

    const int cw = l.ClientWidth();
    if (in.Kind == 0) {
        if (!in.Countdown) {
            l.Ok.Left = (cw - l.Ok.Width) / 2;
        } else {
            l.CountdownVisible = true;
            l.Stop.Top = l.Open.Top = l.Ok.Top;
            int g = std::max(kMinGap, (cw - l.Ok.Width - l.Stop.Width) / 3);
            l.Ok.Left = g;
            l.Stop.Left = l.Ok.Right() + g;
            l.Open.Left = l.Stop.Left;
            l.SelectVisible = in.Default == 1 || in.Default == 2;
        }
    } else {
        l.OkVisible = false;
        l.YesNoVisible = true;
        l.Yes.Top = l.No.Top = l.Ok.Top;
        if (!in.Countdown) {
            int g = std::max(kMinGap, (cw - l.Yes.Width - l.No.Width) / 3);
            l.Yes.Left = g;
            l.No.Left = l.Yes.Right() + g;
        } else {
            l.CountdownVisible = true;
            l.Stop.Top = l.Open.Top = l.Ok.Top;
            int g = std::max(kMinGap, (cw - l.Yes.Width - l.No.Width - l.Stop.Width) / 4);
            l.Yes.Left = g;
            l.No.Left = l.Yes.Right() + g;
            l.Stop.Left = l.No.Right() + g;
            l.Open.Left = l.Stop.Left;
            l.SelectVisible = in.Default == 2 || in.Default == 6 || in.Default == 7;
        }
    }

    if (l.SelectVisible) {
        switch (in.Default) {
            case 1: l.Select.Left = l.Ok.Left; break;
            case 6: l.Select.Left = l.Yes.Left; break;
            case 7: l.Select.Left = l.No.Left; break;
            case 2:
                l.Select.Left = l.Open.Left + l.Select.Width;
                l.Select.Top = 3;
                break;
        }
    }

    if (in.Countdown) {
        int shortfall = l.Count.Width - (l.ClientWidth() - l.Stop.Right());
        if (shortfall > 0) l.Width += shortfall;
        int w = RoundHalfEven(l.Stop.Width / 4.0) * 3 + l.Stop.Left - l.Memo.Left;
        if (l.Memo.Width < w) l.Memo.Width = w;
        l.Count.Top = l.ClientHeight() - l.Count.Height;
        l.Count.Left = l.ClientWidth() - l.Count.Width;
    } else {
        const BoxRect& r = in.Kind == 0 ? l.Ok : l.No;
        if (l.Memo.Right() < r.Right()) {
            l.Width = r.Right() + ib / 2;
            int w = RoundHalfEven(r.Width / 4.0) * 3 + r.Left - l.Memo.Left;
            if (l.Memo.Width < w) l.Memo.Width = w;
        }
    }
    return l;
}

void PlaceBox(const ScreenArea* anchor, const ScreenArea& work, int width, int height, int& left, int& top) {
    const ScreenArea& a = anchor ? *anchor : work;
    left = a.Left + (a.Width - width) / 2;
    top = a.Top + (a.Height - height) / 2;
    left = std::min(left, work.Left + work.Width - width);
    top = std::min(top, work.Top + work.Height - height);
    left = std::max(left, work.Left);
    top = std::max(top, work.Top);
}

}  // namespace obsc32
