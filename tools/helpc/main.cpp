// helpc SOURCE TARGET: compiles a help source (res/help/OBSC32.hps) into a WinHelp file.
#include <cstdio>

#include "helpc/compile.hpp"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: helpc SOURCE.hps TARGET.HLP\n");
        return 2;
    }
    const std::string error = helpc::CompileHelp(argv[1], argv[2]);
    if (error.empty()) return 0;
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
}
