#include "setup/uninstall_stage1.hpp"

#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "settings/uninstall_store.hpp"
#include "setup/program_to_delete.hpp"
#include "setup/setup_values.hpp"
#include "setup/stop_point.hpp"
#include "setup/uninstall_values.hpp"
#include "shell/files.hpp"
#include "shell/path_text.hpp"
#include "shell/progman.hpp"
#include "shell/progman_commands.hpp"
#include "shell/program_file.hpp"
#include "shell/system_paths.hpp"

namespace obsc32 {

bool UninstallStage1::Run(const HandedLook& look) {
    const std::string question =
        UninstallDisplayName(ProductLongTitle, ProgramVersion) + "\n" + kUninstallQuestion;
    if (prompter_.AskYesNo(question, 6) != 6) {
        prompter_.Tell(kUninstallCancelled);
        return false;
    }
    // Nothing is removed before stage 2 is sure to get the program: its checks, its copy and the whole
    // hand-over come first, and a stage 1 that cannot pass or make them leaves everything for the next try.
    const std::optional<FileIdentity> program = AcceptedProgram();
    // An entry left in the list for a program that is gone would be worse than no uninstall at all.
    if (!CanRemoveUninstallEntry()) throw ui::Error(kNeedsAdministrator);
    const std::string copy = PlaceCopy();
    if (IdentityOf(copy) == program) throw ui::Error(std::string(kFileNotDeleted) + "\n" + run_.ProgramPath);
    StopPoint("uninstall", 1);
    prompter_.LetMessagesRun();
    try {
        // The record of the folders the install made goes with it, so stage 2 gets it.
        WriteHandOver({run_.ProgramPath, look.Title, "", look.Color, look.FontColor, ReadMadeFolder()});
    } catch (const ui::Error& e) {
        DeleteHandOver();
        throw ui::Error(std::string(kStartFailed1) + "\n" + e.what());
    }
    StopPoint("uninstall", 2);

    RemoveGroupIcon(ReadProductString("Group"));
    const std::string startup = ReadStartupGroupName();
    prompter_.LetMessagesRun();
    RemoveGroupIcon(startup);
    StopPoint("uninstall", 3);
    // Documents and shortcuts that are gone already are no failure: none of these is reported.
    const std::string desktop = ReadShellFolders().Desktop;
    if (!desktop.empty()) {
        const std::string shortcut = YenAdd(desktop) + ProductLongTitle + ".lnk";
        if (FileExists(shortcut)) (void)DeleteFileAt(shortcut);
    }
    const auto files = ProductFileNames(ProductCode);
    for (size_t i = 1; i < files.size(); ++i) (void)DeleteFileAt(run_.ProgramFolder + files[i]);
    StopPoint("uninstall", 4);
    RemoveVersionValues();
    StopPoint("uninstall", 5);
    if (prompter_.AskYesNo(kRegistryQuestion, 6) == 6) RemoveProductSettings();
    StopPoint("uninstall", 6);
    // Removed only now: a stage 1 cut short before this leaves the entry, and the shell can start it again.
    RemoveUninstallEntry();

    // Neither stage may hold the install folder as its current directory; stage 2 inherits this one.
    const bool moved = EnterFolder(YenCut(FolderPart(copy)));
    prompter_.LetMessagesRun();
    const char* failure = nullptr;
    if (!moved)
        failure = kStartFailed2;
    else if (!StartProgram("\"" + copy + "\" \"/DeleteFile\""))
        failure = kStartFailed1;
    if (!failure) return true;
    DeleteHandOver();
    throw ui::Error(failure);
}

std::optional<FileIdentity> UninstallStage1::AcceptedProgram() const {
    const std::optional<std::string> resolved = ResolvedHandOverFile(run_.ProgramPath);
    const std::optional<FileIdentity> identity = resolved ? IdentityOf(*resolved) : std::nullopt;
    if (!identity || GoesThroughReparsePoint(*resolved))
        throw ui::Error(std::string(kFileNotDeleted) + "\n" + run_.ProgramPath);
    return identity;
}

std::string UninstallStage1::PlaceCopy() const {
    // The Windows folder, which only an administrator may write; else the user's own temporary folder.
    for (const std::string& folder : {run_.WindowsFolder, TempFolder()}) {
        if (folder.empty()) continue;
        const std::string copy = YenAdd(folder) + UninstallerName;
        // An older copy must never run a newer version's uninstall, nor a damaged copy any: only this very
        // program's bytes are started.
        if (SameFileBytes(run_.ProgramPath, copy)) return copy;
        if (CopyFileOver(run_.ProgramPath, copy) && SameFileBytes(run_.ProgramPath, copy)) return copy;
    }
    throw ui::Error(kStartFailed1);
}

void UninstallStage1::RemoveGroupIcon(const std::string& group) {
    // A name the commands cannot carry would show or delete in some other group, or upset Program Manager.
    if (group.empty() || !FitsInCommand(group)) return;
    // Not reported: an icon that cannot be removed stays, and the uninstall goes on.
    (void)ProgmanExecute(ShowGroupCommand(group), progman_);
    prompter_.LetMessagesRun();
    (void)ProgmanExecute(DeleteItemCommand(ProductLongTitle), progman_);
    prompter_.LetMessagesRun();
}

}  // namespace obsc32
