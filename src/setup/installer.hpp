// The install behind "設定": folders, files, registry values and Program Manager icons, in that order.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "settings/run_context.hpp"
#include "ui/component.hpp"
#include "ui/dde.hpp"
#include "ui/prompter.hpp"

namespace obsc32 {

// What the setup window's fields hold when "設定" is pressed.
struct InstallChoices {
    std::string Folder;  // as typed: may be relative
    std::string Group;
    bool StartupIcon = false;
    bool BackColor = false;
    bool VanteColor = true;
};

class Installer {
public:
    Installer(const RunContext& run, ui::Prompter& prompter, ui::DdeClientConv& progman)
        : run_(run), prompter_(prompter), progman_(progman) {}

    // Why the install cannot start with these choices, for the person to correct; "" when it can.
    static std::string Refusal(const InstallChoices& choices);
    // Installs; false when the person would not have the folder made (nothing done). Throws ui::Error for
    // refused choices (nothing done) or a step that failed: what was done before it stays, and "Version" is
    // not written, so the next start runs the setup again.
    bool Run(const InstallChoices& choices);

private:
    // Makes every missing folder of `path` (ending in "\"), asking once; the install folder, none when the
    // person said no. `made` gets the record of the highest folder made, written before it was made.
    std::optional<std::string> MakeFolders(const std::string& path, std::string& made);
    void CopyProductFiles(const std::string& installFolder);
    // What the three files take, as the system's list of programs shows it.
    static DWORD InstalledSizeKb(const std::string& installFolder);
    void SendIconCommands(const std::string& group, const std::string& programPath);

    const RunContext& run_;
    ui::Prompter& prompter_;
    ui::DdeClientConv& progman_;
};

}  // namespace obsc32
