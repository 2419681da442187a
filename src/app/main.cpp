#include <windows.h>

#include <string>
#include <vector>

#include "app/library_search.hpp"
#include "app/startup.hpp"
#include "ui/startup_trace.hpp"
#include "ui/wide.hpp"

// The runtime's split of the command line in its wide form, which the headers leave out.
extern "C" int __cdecl __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** env, int glob, int* newMode);
extern "C" int _dowildcard;

namespace {
// The arguments as the runtime splits the command line, quotes removed, without the program's name.
std::vector<std::string> Arguments() {
    int argc = 0, newMode = 0;
    wchar_t** argv = nullptr;
    wchar_t** env = nullptr;
    if (__wgetmainargs(&argc, &argv, &env, _dowildcard, &newMode) < 0 || !argv) return {};
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(ui::Narrow(argv[i]));
    return args;
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    obsc32::LoadLibrariesFromSystemFolderOnly();
    ui::TraceStep("WinMain");
    std::vector<std::string> args = Arguments();
    const int code = obsc32::RunStartup(obsc32::StartContext(args), args);
    ui::WriteTrace();
    return code;
}
