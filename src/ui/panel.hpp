// A panel: a framed area in the parent's colour. The controls shown on it are the form's own, made before
// it, so they lie above it.
#pragma once
#include "ui/control.hpp"

namespace ui {

class Panel : public Control {
public:
    using Control::Control;

    // The edges DrawEdge draws: EDGE_ETCHED is a lowered outer and a raised inner bevel.
    UINT Edge = EDGE_ETCHED;

protected:
    const char* ControlClassName() const override { return "TPanel"; }
    bool PaintsItself() const override { return true; }
    void Paint(HDC dc) override;
};

}  // namespace ui
