// The program's boxes as a person meets them in another process: seen, read, and answered by a click.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// The program's visible box of the process (0: any) that shows `text`; null when none came in time.
HWND WaitForBoxWithText(DWORD pid, const std::string& text);
// Clicks the box's button once the box stands still, again when a click is lost; true once it closed.
bool ClickBoxButton(HWND box, const std::string& button);

}  // namespace e2e
