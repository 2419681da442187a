// The folder picker component: Execute shows the picker window over SourceHandle and returns the folder
// chosen, in lower case without a trailing "\" (except at a drive root), or "" when none was.
#pragma once
#include <windows.h>

#include <string>

#include "ui/component.hpp"

namespace obsc32 {

class TDIRVIEWForm;

class TDIROPENDLG : public ui::Component {
public:
    using ui::Component::Component;

    std::string Directory;        // where the picker opens; empty: the program's folder
    std::string Title;            // before the caption, and the title of its boxes; empty: the application's
    HWND SourceHandle = nullptr;  // the picker is centred over it; none: the main window
    // Non-zero: the lists in the system's window colours; zero: in the picker's.
    BOOL StandardColor = TRUE;

    // Throws ui::Error when the window cannot be made, or when not even the program's folder opens.
    std::string Execute();

private:
    void Place(TDIRVIEWForm& form) const;
    void Colour(TDIRVIEWForm& form) const;
};

}  // namespace obsc32
