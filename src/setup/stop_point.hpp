// A test hook: ends the process abruptly at a numbered step of the install or the uninstall, as a power
// cut or a forced end would, so the end-to-end tests can check that the next start recovers from any step.
#pragma once

namespace obsc32 {

// The exit code of a process ended at a stop point.
inline constexpr unsigned StopPointExitCode = 0x5709;

// Ends the process with TerminateProcess when the environment variable OBSC32_STOP_AT, read once, is
// "<flow>:<step>" (for example "install:3"); does nothing otherwise.
void StopPoint(const char* flow, int step);

}  // namespace obsc32
