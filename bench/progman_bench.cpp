// Program Manager benchmark: the round trip of one command (connect, execute, disconnect) against the
// running Program Manager server, over 50 harmless commands: ShowGroup of a group made once for the run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/files.hpp"
#include "common/group_windows.hpp"
#include "common/text.hpp"
#include "common/wait.hpp"
#include "figures.hpp"
#include "shell/progman.hpp"
#include "shell/progman_commands.hpp"

constexpr char kGroup[] = "obsc32bench";

int main() {
    using namespace testing_common;
    const std::vector<HWND> known = GroupWindows();
    ui::DdeClientConv conv(nullptr, "DdeClientConv2");
    std::string failed = obsc32::ProgmanExecute(obsc32::CreateGroupCommand(kGroup), conv);
    const bool opened = WaitUntil([&] { return !GroupWindows(known).empty(); });
    std::vector<double> ms;
    for (int i = 0; i < 50 && failed.empty(); ++i) {
        const double start = bench::Now();
        failed = obsc32::ProgmanExecute(obsc32::ShowGroupCommand(kGroup), conv);
        ms.push_back(bench::Now() - start);
        PumpMessages();
    }
    // Once the folder window's process has ended, nothing holds the group's folder.
    CloseGroupWindows(known);
    RemoveDirectoryW(testing_common::W(ShellFolder("Programs") + "\\" + kGroup).c_str());

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
