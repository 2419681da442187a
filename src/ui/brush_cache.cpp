#include "ui/brush_cache.hpp"

namespace ui {

HBRUSH BrushCache::Of(COLORREF color) {
    auto& b = brushes_[color];
    if (!b) b.Reset(CreateSolidBrush(color));
    return b.Get();
}

}  // namespace ui
