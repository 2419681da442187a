// The popup menu this process shows, read from the menu's window as any program could.
#pragma once
#include <windows.h>

#include <string>

#include "common/boxes.hpp"

namespace testing_wine {

// Null when no menu is up.
inline HMENU ShownMenu() {
    HWND popup = testing_common::VisibleWindowOf("#32768", GetCurrentProcessId());
    return popup ? reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)) : nullptr;
}

inline std::string MenuItemText(HMENU menu, int position) {
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

}  // namespace testing_wine
