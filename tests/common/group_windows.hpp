// The folder windows Wine's Program Manager opens for each group it is told to create or show: found and
// cleared away, so that none lies over the next test's windows.
#pragma once
#include <windows.h>

#include <vector>

namespace testing_common {

// Those of other processes, but the ones in `known`.
std::vector<HWND> GroupWindows(const std::vector<HWND>& known = {});
bool GroupWindowsShown();
// Closes them and ends their processes, which under Wine outlive them (never the shell's own).
void CloseGroupWindows(const std::vector<HWND>& known = {});

}  // namespace testing_common
