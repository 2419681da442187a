#include "widgets/mkbox_layout.hpp"

#include <algorithm>
#include <cmath>

namespace obsc32 {

namespace {
// The nearest integer, halves to even.
int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }
}  // namespace

MKBoxLayout LayoutMKBox(const MKBoxLayoutInput& in) {
    MKBoxLayout l;
    l.FrameWidth = in.FrameWidth;
    l.FrameHeight = in.FrameHeight;
    const int ib = kIconSize;
    l.Icon = {16, 16, ib, ib};
    l.Ok = l.Yes = l.No = l.Stop = l.Open = {0, 0, kButtonWidth, kButtonHeight};
    l.Select = {0, 0, kButtonWidth, kSelectHeight};
    l.Count = {0, 0, in.CountWidth, in.CountHeight};

    l.Memo = {2 * ib, kMemoTop, in.TextWidth + 10, in.TextHeight - 2 * in.FontHeight};
    // The design's margins, unless the real frame is so wide that it would cut the text.
    l.Width = std::max(3 * ib + l.Memo.Width, l.Memo.Right() + l.FrameWidth);
    l.Height =
        ib > l.Memo.Height ? 3 * ib + l.Ok.Height + ib / 2 : l.Memo.Height + l.Ok.Height + 2 * ib + ib / 2;
    l.Icon.Top = std::max(16, l.Memo.Top + (l.Memo.Height - ib) / 2 - 4);

    const int contentBottom = std::max(l.Memo.Bottom(), l.Icon.Bottom());
    l.Ok.Top = contentBottom + (l.ClientHeight() - contentBottom - l.Ok.Height) / 2;
    l.Select.Top = l.Ok.Top - l.Select.Height;

    const int cw = l.ClientWidth();
    if (in.Kind == MsgKind::OK) {
        if (!in.Countdown) {
            // A frame wider than the box's narrowest client would centre it off the left edge.
            l.Ok.Left = std::max(0, (cw - l.Ok.Width) / 2);
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
        const ui::Rect& r = in.Kind == MsgKind::OK ? l.Ok : l.No;
        if (l.Memo.Right() < r.Right()) {
            // Half an icon beyond the button, but never less than the real frame takes: a wide frame
            // would otherwise cut the button.
            l.Width = r.Right() + std::max(ib / 2, l.FrameWidth);
            int w = RoundHalfEven(r.Width / 4.0) * 3 + r.Left - l.Memo.Left;
            if (l.Memo.Width < w) l.Memo.Width = w;
        }
    }
    return l;
}

ui::Rect PlaceBox(const std::optional<ui::Rect>& anchor, const ui::Rect& work, int width, int height) {
    const ui::Rect& a = anchor ? *anchor : work;
    int left = a.Left + (a.Width - width) / 2;
    int top = a.Top + (a.Height - height) / 2;
    left = std::min(left, work.Right() - width);
    top = std::min(top, work.Bottom() - height);
    left = std::max(left, work.Left);
    top = std::max(top, work.Top);
    return ui::Rect{left, top, width, height};
}

}  // namespace obsc32
