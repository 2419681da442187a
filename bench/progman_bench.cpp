// Program Manager benchmark: the round trip of one command (connect, execute, disconnect) against the
// running Program Manager server, over 50 harmless commands: ShowGroup of a group made once for the run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "shell/progman.hpp"
#include "shell/progman_commands.hpp"

namespace {

constexpr char kGroup[] = "obsc32bench";

double ticksPerMs;
double Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// The group's folder window that Program Manager opens.
std::vector<HWND> GroupWindows() {
    std::vector<HWND> found;
    for (HWND w = FindWindowExA(nullptr, nullptr, "ExplorerWClass", nullptr); w;
         w = FindWindowExA(nullptr, w, "ExplorerWClass", nullptr)) {
        char title[64] = {};
        GetWindowTextA(w, title, sizeof title);
        if (std::string(title) == kGroup) found.push_back(w);
    }
    return found;
}

bool WaitFor(bool (*condition)(), DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(20)) {
        Pump();
        if (condition()) return true;
    }
    return condition();
}

std::string GroupFolder() {
    char path[MAX_PATH] = {};
    DWORD size = sizeof path - 1;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                 "Programs", RRF_RT_REG_SZ, nullptr, path, &size);
    return std::string(path) + "\\" + kGroup;
}

}  // namespace

int main() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    ticksPerMs = static_cast<double>(f.QuadPart) / 1000.0;

    ui::DdeClientConv conv(nullptr, "DdeClientConv2");
    std::string failed = obsc32::ProgmanExecute(obsc32::CreateGroupCommand(kGroup), conv);
    const bool opened = WaitFor([] { return !GroupWindows().empty(); }, 10000);
    std::vector<double> ms;
    for (int i = 0; i < 50 && failed.empty(); ++i) {
        const double start = Now();
        failed = obsc32::ProgmanExecute(obsc32::ShowGroupCommand(kGroup), conv);
        ms.push_back(Now() - start);
        Pump();
    }
    for (HWND w : GroupWindows()) PostMessageA(w, WM_CLOSE, 0, 0);
    WaitFor([] { return GroupWindows().empty(); }, 10000);
    const std::string folder = GroupFolder();
    for (int i = 0; i < 50 && !RemoveDirectoryA(folder.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND;
         ++i)
        Sleep(100);

    if (!failed.empty() || ms.empty()) {
        std::printf("Program Manager round trip: not measured (%s)\n",
                    failed.empty() ? "no command" : "failed");
        return 1;
    }
    std::sort(ms.begin(), ms.end());
    std::printf(
        "Program Manager round trip (connect, execute, disconnect) over %zu ShowGroup commands: median "
        "%.2f ms, p90 %.2f ms, slowest %.2f ms%s\n",
        ms.size(), ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back(),
        opened ? "" : " (the group's window never showed)");
    return 0;
}
