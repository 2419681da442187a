// The Windows folder, ending in "\"; set once as the process starts.
#pragma once
#include <string>

namespace obsc32 {

extern std::string WinDir;
void InitWinDir();

}  // namespace obsc32
