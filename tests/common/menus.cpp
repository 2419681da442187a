#include "common/menus.hpp"

#include "common/windows.hpp"

namespace testing_common {

std::vector<HWND> VisibleMenus(DWORD pid) { return WindowsOf(pid, kMenuClass, true); }

HWND WaitForOneMenu(DWORD pid, Millis timeout) {
    HWND menu = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> menus = VisibleMenus(pid);
            return menus.size() == 1 && (menu = menus.front());
        },
        timeout);
    return VisibleMenus(pid).size() == 1 ? menu : nullptr;
}

bool WaitForMenuMode(HWND menu, Millis timeout) {
    const DWORD thread = GetWindowThreadProcessId(menu, nullptr);
    return thread && WaitUntil(
                         [&] {
                             GUITHREADINFO gi{};
                             gi.cbSize = sizeof gi;
                             return GetGUIThreadInfo(thread, &gi) && (gi.flags & GUI_INMENUMODE) &&
                                    GetWindowThreadProcessId(GetForegroundWindow(), nullptr) == thread;
                         },
                         timeout);
}

bool CancelMenus(DWORD pid, Millis timeout) {
    return WaitUntil(
        [&] {
            const std::vector<HWND> menus = VisibleMenus(pid);
            for (HWND m : menus) PostMessageA(m, WM_CANCELMODE, 0, 0);
            return menus.empty() || WaitUntil([&] { return VisibleMenus(pid).empty(); }, 500);
        },
        timeout);
}

}  // namespace testing_common
