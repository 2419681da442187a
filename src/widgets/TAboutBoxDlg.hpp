// The about box component: holds the texts and shows the box.
#pragma once
#include <windows.h>

#include <string>

#include "ui/component.hpp"

namespace obsc32 {

class TAboutBoxDlg : public ui::Component {
public:
    using ui::Component::Component;

    std::string ProductName;
    std::string Version;
    std::string Copyright;
    std::string Comment0, Comment1, Comment2;
    std::string Title;            // in front of the caption; empty: the application title
    HWND SourceHandle = nullptr;  // the box is centred over it; none: the main window

    // Shows the box until it closes; true when it closed with OK or with a page or mail opened, false with
    // Esc or the close box. Throws ui::Error when its window cannot be made.
    bool ShowAbout();
};

}  // namespace obsc32
