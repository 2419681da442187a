#include "common/windows.hpp"

#include <iterator>

#include "common/text.hpp"

namespace testing_common {

std::string ClassOf(HWND wnd) {
    char name[256] = {};
    const int n = GetClassNameA(wnd, name, sizeof name);
    return std::string(name, n > 0 ? n : 0);
}

std::string TextOf(HWND wnd) {
    wchar_t text[4096] = {};
    DWORD_PTR length = 0;
    if (!wnd || !SendMessageTimeoutW(wnd, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                                     SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    return U(std::wstring(text, length < std::size(text) ? length : 0));
}

DWORD ProcessOf(HWND wnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    return pid;
}

RECT RectOf(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

POINT CenterOf(HWND wnd) {
    const RECT r = RectOf(wnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool IsTopmost(HWND wnd) { return (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool Answers(HWND wnd) {
    DWORD_PTR result = 0;
    return wnd && SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

namespace {
BOOL CALLBACK Collect(HWND w, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}

bool IsClass(HWND wnd, const char* className) {
    return !className || lstrcmpiA(ClassOf(wnd).c_str(), className) == 0;
}
}  // namespace

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> list;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&list));
    return list;
}

std::vector<HWND> WindowsOf(DWORD pid, const char* className, bool visibleOnly) {
    std::vector<HWND> found;
    for (HWND w : TopLevelWindows())
        if ((!pid || ProcessOf(w) == pid) && IsClass(w, className) && (!visibleOnly || IsWindowVisible(w)))
            found.push_back(w);
    return found;
}

HWND WindowOf(const char* className, DWORD pid) {
    const std::vector<HWND> found = WindowsOf(pid, className);
    return found.empty() ? nullptr : found.front();
}

HWND VisibleWindowOf(const char* className, DWORD pid) {
    const std::vector<HWND> found = WindowsOf(pid, className, true);
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> ChildrenOf(HWND parent, const char* className) {
    std::vector<HWND> all, found;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all)
        if (IsClass(w, className)) found.push_back(w);
    return found;
}

HWND ChildWithText(HWND parent, const char* className, const std::string& text) {
    for (HWND w : ChildrenOf(parent, className))
        if (TextOf(w) == text) return w;
    return nullptr;
}

std::vector<HWND> VisibleWindowsBelow(HWND wnd) {
    std::vector<HWND> below;
    for (HWND w = GetWindow(wnd, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsWindowVisible(w)) below.push_back(w);
    return below;
}

bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

std::vector<HWND> TaskbarButtonWindows() {
    std::vector<HWND> shown;
    HWND tray = FindWindowW(testing_common::W("Shell_TrayWnd").c_str(), nullptr);
    if (!tray) return shown;
    for (HWND button : ChildrenOf(tray, "Button")) {
        // Id 0 is the start button.
        auto wnd = reinterpret_cast<HWND>(GetWindowLongPtrA(button, GWLP_ID));
        if (wnd && IsWindowVisible(button)) shown.push_back(wnd);
    }
    return shown;
}

std::vector<HWND> TaskbarButtonWindowsOf(DWORD pid) {
    std::vector<HWND> of;
    for (HWND wnd : TaskbarButtonWindows())
        if (ProcessOf(wnd) == pid) of.push_back(wnd);
    return of;
}

}  // namespace testing_common
