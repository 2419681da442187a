#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/startup.hpp"
#include "shell/windir.hpp"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    obsc32::InitWinDir();
    // The arguments as the runtime splits the command line, quotes removed.
    std::vector<std::string> args(__argv + 1, __argv + __argc);
    return obsc32::RunStartup(args);
}
