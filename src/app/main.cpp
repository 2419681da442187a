#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/library_search.hpp"
#include "app/startup.hpp"
#include "ui/startup_trace.hpp"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    obsc32::LoadLibrariesFromSystemFolderOnly();
    ui::TraceStep("WinMain");
    // The arguments as the runtime splits the command line, quotes removed.
    std::vector<std::string> args(__argv + 1, __argv + __argc);
    const int code = obsc32::RunStartup(obsc32::StartContext(args), args);
    ui::WriteTrace();
    return code;
}
