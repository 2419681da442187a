// libFuzzer target: the message box's layout for any text, font, frame and countdown label of sensible size:
// positive sizes, every shown control inside the client, buttons below the text and apart from one
// another; and the box's place, inside the work area whenever it fits there.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "fuzz_input.hpp"
#include "widgets/mkbox_layout.hpp"

using namespace obsc32;
using ui::Rect;

namespace {

bool Within(const Rect& r, int w, int h) {
    return r.Width >= 0 && r.Height >= 0 && r.Left >= 0 && r.Top >= 0 && r.Right() <= w && r.Bottom() <= h;
}
bool Apart(const Rect& a, const Rect& b) {
    return a.Right() <= b.Left || b.Right() <= a.Left || a.Bottom() <= b.Top || b.Bottom() <= a.Top;
}

void CheckLayout(fuzz::Input& in) {
    MKBoxLayoutInput box;
    box.Kind = in.Bool() ? MsgKind::YesNo : MsgKind::OK;
    box.Countdown = in.Bool();
    box.Default = static_cast<int>(in.Range(0, 8));
    box.TextWidth = static_cast<int>(in.Range(0, 1 << 20));
    box.TextHeight = static_cast<int>(in.Range(0, 1 << 20));
    box.FontHeight = static_cast<int>(in.Range(-64, -1));
    // Classic frames to large scales; a caption taller than the design's margins is out of reach.
    box.FrameWidth = static_cast<int>(in.Range(0, 64));
    box.FrameHeight = static_cast<int>(in.Range(0, 64));
    box.CountWidth = static_cast<int>(in.Range(0, 400));
    box.CountHeight = static_cast<int>(in.Range(0, 40));
    const MKBoxLayout l = LayoutMKBox(box);

    const int cw = l.ClientWidth(), ch = l.ClientHeight();
    FUZZ_CHECK(cw > 0 && ch > 0 && l.FrameWidth == box.FrameWidth && l.FrameHeight == box.FrameHeight);
    FUZZ_CHECK(l.OkVisible == (box.Kind == MsgKind::OK) && l.YesNoVisible == !l.OkVisible);
    FUZZ_CHECK(l.CountdownVisible == box.Countdown);
    FUZZ_CHECK(Within(l.Memo, cw, ch) && Within(l.Icon, cw, ch));
    FUZZ_CHECK(l.Memo.Width >= box.TextWidth && l.Memo.Height >= box.TextHeight);
    std::vector<Rect> buttons;
    if (l.OkVisible) buttons.push_back(l.Ok);
    if (l.YesNoVisible) buttons.insert(buttons.end(), {l.Yes, l.No});
    if (l.CountdownVisible) buttons.push_back(l.Stop);  // the resume button takes the pause button's place
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const Rect& b = buttons[i];
        FUZZ_CHECK(Within(b, cw, ch) && b.Width == kButtonWidth && b.Height == kButtonHeight);
        FUZZ_CHECK(b.Top >= l.Memo.Bottom() && b.Top >= l.Icon.Bottom());
        for (std::size_t j = 0; j < i; ++j) FUZZ_CHECK(Apart(b, buttons[j]));
    }
    if (l.CountdownVisible) {
        FUZZ_CHECK(l.Open == l.Stop && Within(l.Count, cw, ch));
        for (const Rect& b : buttons) FUZZ_CHECK(Apart(b, l.Count));
    }
    // The bar over a button sits right on it; the close answer's bar goes to the top edge.
    if (l.SelectVisible && box.Default != 2) {
        FUZZ_CHECK(Within(l.Select, cw, ch));
        bool onOne = false;
        for (const Rect& b : buttons) onOne |= l.Select.Left == b.Left && l.Select.Bottom() == b.Top;
        FUZZ_CHECK(onOne);
    }
}

void CheckPlace(fuzz::Input& in) {
    auto rect = [&] {
        return Rect{static_cast<int>(in.Range(-8000, 8000)), static_cast<int>(in.Range(-8000, 8000)),
                    static_cast<int>(in.Range(1, 8000)), static_cast<int>(in.Range(1, 8000))};
    };
    const Rect work = rect();
    const std::optional<Rect> anchor = in.Bool() ? std::optional<Rect>(rect()) : std::nullopt;
    const int w = static_cast<int>(in.Range(1, 10000)), h = static_cast<int>(in.Range(1, 10000));
    const Rect p = PlaceBox(anchor, work, w, h);
    FUZZ_CHECK(p.Width == w && p.Height == h);
    const Rect& a = anchor ? *anchor : work;
    auto axis = [](int got, int centred, int lo, int hi, int size) {
        if (size > hi - lo) return got == lo;  // too large: pinned to the top-left
        if (got < lo || got + size > hi) return false;
        if (centred >= lo && centred + size <= hi) return got == centred;
        return got == (centred < lo ? lo : hi - size);  // the nearest place inside
    };
    FUZZ_CHECK(axis(p.Left, a.Left + (a.Width - w) / 2, work.Left, work.Right(), w));
    FUZZ_CHECK(axis(p.Top, a.Top + (a.Height - h) / 2, work.Top, work.Bottom(), h));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    if (in.Bool())
        CheckLayout(in);
    else
        CheckPlace(in);
    return 0;
}
