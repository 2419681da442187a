// A rectangle by its position and size, in pixels; no windows.h, so layout arithmetic stays testable natively.
#pragma once

namespace ui {

struct Rect {
    int Left = 0, Top = 0, Width = 0, Height = 0;

    static constexpr Rect FromEdges(long left, long top, long right, long bottom) {
        return Rect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                    static_cast<int>(bottom - top)};
    }
    constexpr int Right() const { return Left + Width; }
    constexpr int Bottom() const { return Top + Height; }
    bool operator==(const Rect&) const = default;
};

}  // namespace ui
