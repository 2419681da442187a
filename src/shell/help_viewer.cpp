#include "shell/help_viewer.hpp"

namespace obsc32 {

void ShowHelpContents(HWND owner, const std::string& file) {
    WinHelpA(owner, file.c_str(), HELP_CONTENTS, 0);
}

void ShowHelpIndex(HWND owner, const std::string& file) {
    // An empty keyword opens the index without one chosen.
    WinHelpA(owner, file.c_str(), HELP_KEY, reinterpret_cast<ULONG_PTR>(""));
}

}  // namespace obsc32
