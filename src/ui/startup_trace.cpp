#include "ui/startup_trace.hpp"

#ifdef OBSC32_STARTUP_TRACE
#include <windows.h>

#include <cstdio>

#include "ui/wide.hpp"

namespace ui {

namespace {
struct Step {
    const char* name;
    LONGLONG ticks;
};
Step steps[64];
int count = 0;
}  // namespace

void TraceStep(const char* name) {
    if (count == 64) return;
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    steps[count++] = {name, t.QuadPart};
}

void WriteTrace() {
    wchar_t path[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(Wide("OBSC32_TRACE_FILE").c_str(), path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    FILE* f = _wfopen(path, L"w");
    if (!f) return;
    for (int i = 0; i < count; ++i) std::fprintf(f, "%lld %s\n", steps[i].ticks, steps[i].name);
    std::fclose(f);
}

}  // namespace ui
#endif
