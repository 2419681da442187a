// The popup menu this process shows, read from the menu's window as any program could.
#pragma once
#include <windows.h>

#include <string>

#include "common/boxes.hpp"
#include "common/text.hpp"

namespace testing_wine {

// Null when no menu is up.
inline HMENU ShownMenu() {
    HWND popup = testing_common::VisibleWindowOf("#32768", GetCurrentProcessId());
    return popup ? reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)) : nullptr;
}

inline std::string MenuItemText(HMENU menu, int position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return testing_common::U(text);
}

}  // namespace testing_wine
