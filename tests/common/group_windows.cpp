#include "common/group_windows.hpp"

#include <algorithm>
#include <set>

#include "common/text.hpp"
#include "common/wait.hpp"
#include "common/windows.hpp"

namespace testing_common {

std::vector<HWND> GroupWindows(const std::vector<HWND>& known) {
    std::vector<HWND> found;
    for (const char* cls : {"ExplorerWClass", "CabinetWClass"})
        for (HWND w : WindowsOf(0, cls))
            if (ProcessOf(w) != GetCurrentProcessId() &&
                std::find(known.begin(), known.end(), w) == known.end())
                found.push_back(w);
    return found;
}

bool GroupWindowsShown() { return !GroupWindows().empty(); }

void CloseGroupWindows(const std::vector<HWND>& known) {
    const DWORD shell = ProcessOf(GetDesktopWindow()),
                tray = ProcessOf(FindWindowW(testing_common::W("Shell_TrayWnd").c_str(), nullptr));
    std::set<DWORD> pids;
    for (HWND w : GroupWindows(known)) {
        PostMessageA(w, WM_CLOSE, 0, 0);
        if (ProcessOf(w) != shell && ProcessOf(w) != tray) pids.insert(ProcessOf(w));
    }
    WaitUntil([&] { return GroupWindows(known).empty(); }, 3000);
    for (DWORD pid : pids) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!process) continue;
        if (WaitForSingleObject(process, 1000) == WAIT_TIMEOUT) TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

}  // namespace testing_common
