// Solid brushes of any colour, each made on its first use and kept as long as the cache.
#pragma once
#include <windows.h>

#include <map>

#include "ui/handles.hpp"

namespace ui {

class BrushCache {
public:
    HBRUSH Of(COLORREF color);

private:
    std::map<COLORREF, Brush> brushes_;
};

}  // namespace ui
