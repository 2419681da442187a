#include "shell/windir.hpp"

#include <windows.h>

#include "shell/sjis_path.hpp"

namespace obsc32 {

std::string WinDir;

void InitWinDir() {
    char buffer[300] = {};
    GetWindowsDirectoryA(buffer, sizeof buffer);
    WinDir = YenAdd(buffer);
}

}  // namespace obsc32
