// Clearing up after tests that make folders, and after Program Manager's group windows.
#pragma once
#include <string>

namespace testing_common {

// Removes a folder with everything in it.
void RemoveTree(const std::string& folder);
// Ends the folder windows Program Manager opens for each group it is told to create (not this process's
// own); under Wine their processes outlive them.
void CloseGroupWindows();
// Whether such a window (of another process) is there.
bool GroupWindowsShown();

}  // namespace testing_common
