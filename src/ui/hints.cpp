#include "ui/hints.hpp"

#include <commctrl.h>

namespace ui {

namespace {
TOOLINFOA Tool(HWND form, UINT_PTR id, UINT flags) {
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.uFlags = flags;
    ti.hwnd = form;
    ti.uId = id;
    return ti;
}

RECT ToRECT(const Rect& r) { return RECT{r.Left, r.Top, r.Right(), r.Bottom()}; }
}  // namespace

bool Hints::Create(HWND form) {
    // The hint class lives in the common controls, which nothing else loads (and only forms with hints need).
    static const bool loaded = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)loaded;
    CreateParams p;
    p.ClassName = TOOLTIPS_CLASSA;
    p.PlatformClass = true;
    p.Style = WS_POPUP | TTS_ALWAYSTIP;
    p.ExStyle = WS_EX_TOPMOST;
    p.Parent = form;
    return CreateHandle(p);
}

void Hints::AddWindow(HWND form, HWND control, const std::string& text) {
    // Transparent: a click where the hint shows goes to what lies beneath, not to the hint.
    TOOLINFOA ti =
        Tool(form, reinterpret_cast<UINT_PTR>(control), TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT);
    ti.lpszText = const_cast<char*>(text.c_str());
    if (Active()) SendMessageA(Handle(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::AddArea(HWND form, UINT_PTR id, const Rect& area, const std::string& text) {
    TOOLINFOA ti = Tool(form, id, TTF_TRANSPARENT);
    ti.rect = ToRECT(area);
    ti.lpszText = const_cast<char*>(text.c_str());
    if (Active()) SendMessageA(Handle(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::MoveArea(HWND form, UINT_PTR id, const Rect& area) {
    TOOLINFOA ti = Tool(form, id, 0);
    ti.rect = ToRECT(area);
    if (Active()) SendMessageA(Handle(), TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::Remove(HWND form, UINT_PTR id) {
    TOOLINFOA ti = Tool(form, id, 0);
    if (Active()) SendMessageA(Handle(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::Relay(HWND form, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!Active()) return;
    MSG m{form, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageA(Handle(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

}  // namespace ui
