#include "common/files.hpp"

#include <windows.h>

#include <vector>

namespace testing_common {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA e;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &e);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &e)) {
        const std::string name = e.cFileName;
        if (name == "." || name == "..") continue;
        const std::string inner = folder + "\\" + name;
        SetFileAttributesA(inner.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(inner);
        else
            DeleteFileA(inner.c_str());
    }
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    RemoveDirectoryA(folder.c_str());
}

namespace {
BOOL CALLBACK CollectGroupWindow(HWND wnd, LPARAM found) {
    char cls[32] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (lstrcmpA(cls, "ExplorerWClass") == 0 || lstrcmpA(cls, "CabinetWClass") == 0)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(wnd);
    return TRUE;
}

std::vector<HWND> GroupWindows() {
    std::vector<HWND> windows, others;
    EnumWindows(CollectGroupWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND w : windows) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != GetCurrentProcessId()) others.push_back(w);
    }
    return others;
}
}  // namespace

bool GroupWindowsShown() { return !GroupWindows().empty(); }

void CloseGroupWindows() {
    for (HWND w : GroupWindows()) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        PostMessageA(w, WM_CLOSE, 0, 0);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!process) continue;
        if (WaitForSingleObject(process, 1000) == WAIT_TIMEOUT) TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

}  // namespace testing_common
