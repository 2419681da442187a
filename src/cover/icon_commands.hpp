// The cover's icon submenu: the program's icon in the Startup group, put there and taken away by Program
// Manager, and a copy of its group's shortcut on the desktop. The shortcut files say which is there.
#pragma once
#include <string>

#include "settings/run_context.hpp"
#include "settings/settings_store.hpp"
#include "ui/dde.hpp"
#include "ui/prompter.hpp"

namespace obsc32 {

inline constexpr char kAlreadyOnDesktop[] = "デスクトップには、既に登録されています☆☆☆";
inline constexpr char kDesktopCopyFailed[] = "デスクトップへの登録に失敗しました・・・";

class IconCommands {
public:
    IconCommands(const RunContext& run, ui::Prompter& prompter, ui::DdeClientConv& progman)
        : run_(run), prompter_(prompter), progman_(progman) {}

    // The three shortcut paths, from the shell's folders and the program's group.
    void Locate(const ShellFolders& folders, const std::string& group);
    bool OnDesktop() const;
    bool InStartup() const;

    // Adds or removes the icon in the Startup group; throws ui::Error with what went wrong.
    void Startup(bool add);
    // Copies the group's shortcut to the desktop, or deletes the copy; throws ui::Error when it cannot copy.
    void Desktop(bool add);

    const std::string& ProgramsShortcut() const { return programsShortcut_; }
    const std::string& DesktopShortcut() const { return desktopShortcut_; }
    const std::string& StartupShortcut() const { return startupShortcut_; }

private:
    const RunContext& run_;
    ui::Prompter& prompter_;
    ui::DdeClientConv& progman_;
    std::string programsShortcut_, desktopShortcut_, startupShortcut_;
};

}  // namespace obsc32
