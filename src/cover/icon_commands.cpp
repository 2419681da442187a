#include "cover/icon_commands.hpp"

#include "settings/product.hpp"
#include "shell/files.hpp"
#include "shell/path_text.hpp"
#include "shell/progman.hpp"
#include "shell/progman_commands.hpp"
#include "shell/program_file.hpp"

namespace obsc32 {

void IconCommands::Locate(const ShellFolders& folders, const std::string& group) {
    const std::string link = std::string(ProductLongTitle) + ".lnk";
    programsShortcut_ = YenAdd(folders.Programs + "\\" + group) + link;
    desktopShortcut_ = YenAdd(folders.Desktop) + link;
    startupShortcut_ = YenAdd(folders.Startup) + link;
}

bool IconCommands::OnDesktop() const { return FileExists(desktopShortcut_); }

bool IconCommands::InStartup() const { return FileExists(startupShortcut_); }

void IconCommands::Startup(bool add) {
    auto busy = prompter_.Busy();
    const std::string group = ReadStartupGroupName();
    if (group.empty()) throw ui::Error(kNoStartupGroup);
    // A name the command cannot carry would leave Program Manager without a current group, and the item
    // command after it would act on whatever group that is, or none.
    if (!FitsInCommand(group))
        throw ui::Error(std::string(kUnusableStartupGroup) + "\n" + ShownLeft(group, 64));
    // Only the item command's result matters: the group usually exists already.
    (void)ProgmanExecute(CreateGroupCommand(group), progman_);
    prompter_.LetMessagesRun();
    const std::string failure = ProgmanExecute(
        add ? AddItemCommand(run_.ProgramPath, ProductLongTitle) : DeleteItemCommand(ProductLongTitle),
        progman_);
    prompter_.LetMessagesRun();
    if (!failure.empty()) throw ui::Error(failure);
}

void IconCommands::Desktop(bool add) {
    if (!add) {
        // Not reported: the submenu shows what is left.
        (void)DeleteFileAt(desktopShortcut_);
    } else if (OnDesktop()) {
        prompter_.Tell(kAlreadyOnDesktop);
    } else if (!CopyFileOver(programsShortcut_, desktopShortcut_)) {
        // The copy is of the shortcut the setup had Program Manager make in the program's group.
        throw ui::Error(std::string(kDesktopCopyFailed) + "\n" + ProductLongTitle);
    }
}

}  // namespace obsc32
