#include "ui/hints.hpp"

#include <commctrl.h>

#include "ui/wide.hpp"

namespace ui {

namespace {
TOOLINFOW Tool(HWND form, UINT_PTR id, UINT flags) {
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
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
    TOOLINFOW ti =
        Tool(form, reinterpret_cast<UINT_PTR>(control), TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT);
    std::wstring wide = Wide(text);
    ti.lpszText = wide.data();
    if (Active()) SendMessageW(Handle(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::AddArea(HWND form, UINT_PTR id, const Rect& area, const std::string& text) {
    TOOLINFOW ti = Tool(form, id, TTF_TRANSPARENT);
    ti.rect = ToRECT(area);
    std::wstring wide = Wide(text);
    ti.lpszText = wide.data();
    if (Active()) SendMessageW(Handle(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::MoveArea(HWND form, UINT_PTR id, const Rect& area) {
    TOOLINFOW ti = Tool(form, id, 0);
    ti.rect = ToRECT(area);
    if (Active()) SendMessageW(Handle(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::Remove(HWND form, UINT_PTR id) {
    TOOLINFOW ti = Tool(form, id, 0);
    if (Active()) SendMessageW(Handle(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::Relay(HWND form, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!Active()) return;
    MSG m{form, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(Handle(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

}  // namespace ui
