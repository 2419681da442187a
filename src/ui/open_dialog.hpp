// The platform's file-open dialog as a component with its settings.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "ui/component.hpp"

namespace ui {

class OpenDialog : public Component {
public:
    using Component::Component;

    std::string InitialDir;
    std::string FileName;  // in: proposed name (may hold a wildcard); out: the chosen file
    std::string DefaultExt;
    std::string Filter;  // "description|pattern|description|pattern"
    DWORD Options = 0;   // OFN_* flags
    std::string Title;

    // True when a file was chosen.
    bool Execute(HWND owner);
    // The last Execute was given a name the program's texts cannot hold, and chose nothing.
    bool NameUnreadable = false;
};

}  // namespace ui
