// Start-up: decides this run's role, hands a second start to the running cover, creates the main window.
#pragma once
#include <string>
#include <vector>

namespace obsc32 {

// Runs the program for the given arguments (without the program name); returns the exit code.
int RunStartup(const std::vector<std::string>& args);

// Sends the arguments to a running cover; false when there is none.
bool ForwardToRunningCover(const std::vector<std::string>& args);

}  // namespace obsc32
