// A test hook: ends the process abruptly at a numbered step of the install or the uninstall, as a power
// cut or a forced end would, so the end-to-end tests can check that the next start recovers from any step.
// Only the test build of the program links the working one (stop_point.cpp); OBSC32.EXE as distributed
// links stop_point_none.cpp, so no switch of the tests ships.
#pragma once

namespace obsc32 {

// The exit code of a process ended at a stop point.
inline constexpr unsigned StopPointExitCode = 0x5709;

// In the test build, ends the process with TerminateProcess when the environment variable OBSC32_STOP_AT,
// read once, is "<flow>:<step>" (for example "install:3"); does nothing otherwise, and nothing at all in
// the distributed program.
void StopPoint(const char* flow, int step);

}  // namespace obsc32
