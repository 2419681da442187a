// Uninstall stage 1, run by the installed program: it asks, hands the program file to a copy of itself in the
// Windows folder (or the user's temporary folder), removes the icons, documents and settings, and starts
// the copy as stage 2.
#pragma once
#include <optional>
#include <string>

#include "settings/run_context.hpp"
#include "shell/held_file.hpp"
#include "ui/dde.hpp"
#include "ui/prompter.hpp"

namespace obsc32 {

// How stage 2 is to look: stage 1's caption and its window colours as handed-over numbers.
struct HandedLook {
    std::string Title, Color, FontColor;
};

class UninstallStage1 {
public:
    UninstallStage1(const RunContext& run, ui::Prompter& prompter, ui::DdeClientConv& progman)
        : run_(run), prompter_(prompter), progman_(progman) {}

    // False when the person declined (told so; nothing changed). Throws ui::Error when stage 2 would refuse
    // this program file, an Uninstall entry cannot be removed, or no copy or hand-over could be made (nothing
    // is removed), or when stage 2 could not be started (what was removed stays removed, the hand-over is
    // gone, the program file stays).
    bool Run(const HandedLook& look);

private:
    // This program file's identity when stage 2 would take it as the program to delete: the same spelling,
    // resolved, reached through no reparse point. Throws ui::Error naming the file otherwise.
    std::optional<FileIdentity> AcceptedProgram() const;
    // The copy that runs stage 2, holding this program's very bytes; throws ui::Error when none can be made.
    std::string PlaceCopy() const;
    // ShowGroup then DeleteItem, for a group that has a name the commands can carry.
    void RemoveGroupIcon(const std::string& group);

    const RunContext& run_;
    ui::Prompter& prompter_;
    ui::DdeClientConv& progman_;
};

}  // namespace obsc32
