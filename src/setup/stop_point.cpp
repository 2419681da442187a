// The test build's stop points (see stop_point.hpp); the distributed program links stop_point_none.cpp.
#include "setup/stop_point.hpp"

#include <windows.h>

#include <string>

#include "ui/wide.hpp"

namespace obsc32 {

void StopPoint(const char* flow, int step) {
    // Read once: the steps are many, and the setting is fixed for the run.
    static const std::string wanted = [] {
        wchar_t text[64] = {};
        DWORD n = GetEnvironmentVariableW(ui::Wide("OBSC32_STOP_AT").c_str(), text, 64);
        return n > 0 && n < 64 ? ui::Narrow(text, n) : std::string();
    }();
    if (wanted.empty() || wanted != std::string(flow) + ":" + std::to_string(step)) return;
    TerminateProcess(GetCurrentProcess(), StopPointExitCode);
}

}  // namespace obsc32
