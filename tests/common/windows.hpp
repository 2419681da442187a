// Windows of any process, found and read the way a person sees them: by class, text, place and Z-order.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testing_common {

std::string ClassOf(HWND wnd);
// A window's text, asked with WM_GETTEXT, so it works across threads and processes (controls keep their own).
std::string TextOf(HWND wnd);
DWORD ProcessOf(HWND wnd);
RECT RectOf(HWND wnd);
POINT CenterOf(HWND wnd);
bool IsTopmost(HWND wnd);
// Whether the window's thread answers a message within 5 s.
bool Answers(HWND wnd);
// Every top-level window, in Z-order, topmost first.
std::vector<HWND> TopLevelWindows();
// Top-level windows of a class (null: any; case does not count) belonging to a process (0: any).
std::vector<HWND> WindowsOf(DWORD pid, const char* className, bool visibleOnly = false);
// A top-level window of the class belonging to the process (0: any), visible or not; null if none.
HWND WindowOf(const char* className, DWORD pid = 0);
// A visible top-level window of the class belonging to the process (0: any), or null.
HWND VisibleWindowOf(const char* className, DWORD pid = 0);
// Child windows, children's children too, of a class (null: any), in their Z-order.
std::vector<HWND> ChildrenOf(HWND parent, const char* className = nullptr);
// The first child of the class with exactly that text, or null.
HWND ChildWithText(HWND parent, const char* className, const std::string& text);
// Visible top-level windows below `wnd` in the Z-order.
std::vector<HWND> VisibleWindowsBelow(HWND wnd);
// True when `upper` comes before `lower` in the Z-order.
bool IsAbove(HWND upper, HWND lower);
// The windows Wine's taskbar shows a button for: it keeps one child button per window it lists, whose
// control id is that window's handle.
std::vector<HWND> TaskbarButtonWindows();
// The windows of a process that have a button on the taskbar.
std::vector<HWND> TaskbarButtonWindowsOf(DWORD pid);

}  // namespace testing_common
