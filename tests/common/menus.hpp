// Popup menus of another process as a person meets them: seen, ready for keys, left.
#pragma once
#include <windows.h>

#include <vector>

#include "common/wait.hpp"

namespace testing_common {

inline constexpr char kMenuClass[] = "#32768";

// The process's (0: any) visible menus.
std::vector<HWND> VisibleMenus(DWORD pid);
// The one menu of the process once it shows; null when none came, or more than one is open.
HWND WaitForOneMenu(DWORD pid, Millis timeout = kDeadline);
// A menu is drawn before its thread takes the keyboard, and a key pressed in between is lost: true once the
// menu's thread is in menu mode and holds the foreground.
bool WaitForMenuMode(HWND menu, Millis timeout = kDeadline);
// Leaves the process's menus, posting WM_CANCELMODE again while one stays, as a handler that processes
// messages may take it; true once none is left.
bool CancelMenus(DWORD pid, Millis timeout = kDeadline);

}  // namespace testing_common
