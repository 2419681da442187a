// Start-up: decides this run's role, hands a second start to the running cover, creates the main window.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "settings/run_context.hpp"

namespace obsc32 {

// This process's run, for the given arguments (without the program name).
RunContext StartContext(const std::vector<std::string>& args);

// Runs the program for the run; returns the exit code.
int RunStartup(RunContext run, const std::vector<std::string>& args);

// Sends the arguments to a running cover, calling `beforeWaiting` once it is found; false when there is
// none.
bool ForwardToRunningCover(const std::vector<std::string>& args, const std::function<void()>& beforeWaiting);

}  // namespace obsc32
