#include "cover/cover_owner.hpp"

namespace obsc32 {

CoverOwner::CoverOwner() {
    CreateParams p;
    p.ClassName = "TOBSCURIO32VANTEOwner";
    p.Style = WS_POPUP;
    // Without it the cover is merely unowned: the same window, with a taskbar button under Wine.
    (void)CreateHandle(p);
}

CoverOwner::~CoverOwner() { DestroyHandle(); }

}  // namespace obsc32
