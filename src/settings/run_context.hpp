// What this run is, decided once by start-up and handed to the window it creates: nothing about the run is
// kept in process-wide values.
#pragma once
#include <string>

namespace obsc32 {

enum class StartModes : int { Normal = 0, Uninstall1 = 1, Uninstall2 = 2, UninstallRefused = 999 };

struct RunContext {
    std::string ProgramPath;    // the running program, in full
    std::string ProgramFolder;  // its folder, ending in "\"
    std::string WindowsFolder;  // ending in "\"
    StartModes StartMode = StartModes::Normal;
    std::string FirstArgument;  // "" when none
};

}  // namespace obsc32
