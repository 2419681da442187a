#include "cover/cover_owner.hpp"

namespace obsc32 {

void CoverOwner::Own(HWND cover) {
    if (HandleAllocated() || !cover) return;
    CreateParams p;
    p.ClassName = "TOBSCURIO32VANTEOwner";
    p.Style = WS_POPUP;
    // Without it the cover is merely unowned: the same window, with a taskbar button under Wine.
    if (CreateHandle(p)) SetWindowLongPtrW(cover, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Handle()));
}

CoverOwner::~CoverOwner() { DestroyHandle(); }

}  // namespace obsc32
