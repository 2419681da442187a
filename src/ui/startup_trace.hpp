// Start-up trace: with the build option OBSC32_STARTUP_TRACE each step's time (QueryPerformanceCounter,
// the same clock in every process) is kept and written out when the program ends, to the file named by the
// environment variable OBSC32_TRACE_FILE, for the start-up benchmark. Without the option it costs nothing.
#pragma once

namespace ui {

#ifdef OBSC32_STARTUP_TRACE
void TraceStep(const char* name);
void WriteTrace();
#else
inline void TraceStep(const char*) {}
inline void WriteTrace() {}
#endif

}  // namespace ui
