// helpc SOURCE TARGET [HTML]: compiles a help source (res/help/OBSC32.hps) into a WinHelp file, and into HTML.
#include <cstdio>

#include "helpc/compile.hpp"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: helpc SOURCE.hps TARGET.HLP [TARGET.HTM]\n");
        return 2;
    }
    const std::string error = helpc::CompileHelp(argv[1], argv[2], argc == 4 ? argv[3] : "");
    if (error.empty()) return 0;
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
}
