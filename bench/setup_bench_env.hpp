// What the setup and uninstall benchmarks share: their deadline and the distribution folder they install from.
#pragma once
#include <windows.h>

#include <string>

namespace setup_bench {

inline constexpr DWORD kDeadlineMs = 15000;

// OBSC32.EXE, OBSC32.TXT and OBSC32.HLP in `dist`, made anew.
bool MakeDistribution(const std::string& dist, const std::string& exe, const std::string& exeDir);

}  // namespace setup_bench
