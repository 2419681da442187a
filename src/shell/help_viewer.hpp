// The help, shown by whatever the system has: the old viewer on the help file, or the browser on its page.
#pragma once
#include <windows.h>

#include <string>

namespace obsc32 {

enum class HelpPlace { Contents, Index };

// Before Vista the viewer opens the help file (it reports a file it cannot read itself); later, the browser
// opens the page at its contents or its index. False when the page is missing or nothing could open it.
bool ShowHelp(HWND owner, const std::string& helpFile, const std::string& page, HelpPlace place);

}  // namespace obsc32
