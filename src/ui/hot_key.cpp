#include "ui/hot_key.hpp"

namespace ui {

namespace {
// MOD_NOREPEAT, which the headers name only for builds that target Windows 7 on.
constexpr UINT kNoRepeat = 0x4000;
}  // namespace

DWORD HotKey::Register(HWND wnd, int id, UINT modifiers, UINT key) {
    Reset();
    if (!RegisterHotKey(wnd, id, modifiers | kNoRepeat, key)) return GetLastError();
    wnd_ = wnd;
    id_ = id;
    return ERROR_SUCCESS;
}

void HotKey::Reset() {
    if (wnd_) UnregisterHotKey(wnd_, id_);
    wnd_ = nullptr;
}

}  // namespace ui
