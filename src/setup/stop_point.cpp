// The test build's stop points (see stop_point.hpp); the distributed program links stop_point_none.cpp.
#include "setup/stop_point.hpp"

#include <windows.h>

#include <string>

namespace obsc32 {

void StopPoint(const char* flow, int step) {
    // Read once: the steps are many, and the setting is fixed for the run.
    static const std::string wanted = [] {
        char text[64] = {};
        DWORD n = GetEnvironmentVariableA("OBSC32_STOP_AT", text, sizeof text);
        return n > 0 && n < sizeof text ? std::string(text, n) : std::string();
    }();
    if (wanted.empty() || wanted != std::string(flow) + ":" + std::to_string(step)) return;
    TerminateProcess(GetCurrentProcess(), StopPointExitCode);
}

}  // namespace obsc32
