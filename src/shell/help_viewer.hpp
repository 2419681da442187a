// The system's help viewer on a help file.
#pragma once
#include <windows.h>

#include <string>

namespace obsc32 {

// Opens the file at its contents; the viewer itself reports a file it cannot read.
void ShowHelpContents(HWND owner, const std::string& file);
// Opens the file's keyword index.
void ShowHelpIndex(HWND owner, const std::string& file);

}  // namespace obsc32
