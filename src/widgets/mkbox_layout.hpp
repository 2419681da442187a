// The message box's layout arithmetic and its placement on the screen (integer divisions truncate).
#pragma once
#include <optional>

#include "ui/rect.hpp"
#include "widgets/msg_kind.hpp"

namespace obsc32 {

// Design sizes of the box's controls.
inline constexpr int kIconSize = 32;     // Image_Box
inline constexpr int kMemoTop = 16;      // MemoMsg
inline constexpr int kButtonWidth = 89;  // every button
inline constexpr int kButtonHeight = 33;
inline constexpr int kSelectHeight = 3;  // Label_Select: 89 x 3
inline constexpr int kMinGap = 10;

struct MKBoxLayoutInput {
    MsgKind Kind = MsgKind::OK;
    bool Countdown = false;
    int Default = 0;
    int TextWidth = 0;  // Msg, auto-sized to the text
    int TextHeight = 0;
    int FontHeight = -13;  // the memo's font height (negative: character height)
    int FrameWidth = 0;    // outer width minus client width
    int FrameHeight = 0;
    int CountWidth = 0;  // Label_TM, auto-sized to its text
    int CountHeight = 0;
};

struct MKBoxLayout {
    int Width = 0, Height = 0;  // outer size of the box
    int FrameWidth = 0, FrameHeight = 0;
    ui::Rect Memo, Icon, Ok, Yes, No, Stop, Open, Count, Select;
    bool OkVisible = true;
    bool YesNoVisible = false;
    bool CountdownVisible = false;  // Btn_TM_STOP, Btn_TM_OPEN, Label_TM
    bool SelectVisible = false;
    int ClientWidth() const { return Width - FrameWidth; }
    int ClientHeight() const { return Height - FrameHeight; }
};

MKBoxLayout LayoutMKBox(const MKBoxLayoutInput& in);

// The box's place on the screen: centred on the anchor (or, without one, on the work area), then kept
// inside the work area; the left and top limits come last, so a box larger than the work area is pinned to
// its top-left corner.
ui::Rect PlaceBox(const std::optional<ui::Rect>& anchor, const ui::Rect& work, int width, int height);

}  // namespace obsc32
