// The help submenu: the help file, the version-number reset, the contact notice and the about box.
#pragma once
#include <windows.h>

#include <string>

#include "settings/run_context.hpp"
#include "shell/help_viewer.hpp"
#include "ui/prompter.hpp"
#include "widgets/TAboutBoxDlg.hpp"

namespace obsc32 {

class HelpCommands {
public:
    HelpCommands(const RunContext& run, ui::Prompter& prompter) : run_(run), prompter_(prompter) {}

    // The help beside the program, at its contents or its keyword index; a page that cannot be opened is told.
    void Contents(HWND owner) { Show(owner, HelpPlace::Contents); }
    void Keywords(HWND owner) { Show(owner, HelpPlace::Index); }
    // Asks, then empties the stored "Version" so that the next start runs the setup; false when the person
    // declined (told so). Throws ui::Error when "Version" cannot be written.
    bool ResetVersion();
    void Contact();
    // A later start's notice; the arguments it handed over are not acted upon. It waits for the box.
    void AlreadyRunning(ATOM handedOver);
    // The about box with the stored version; throws ui::Error when it cannot be shown.
    void About(TAboutBoxDlg& box);

private:
    void Show(HWND owner, HelpPlace place);

    const RunContext& run_;
    ui::Prompter& prompter_;
};

}  // namespace obsc32
