#include "setup/uninstall_stage1.hpp"

#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "settings/uninstall_store.hpp"
#include "setup/setup_values.hpp"
#include "setup/stop_point.hpp"
#include "setup/uninstall_values.hpp"
#include "shell/files.hpp"
#include "shell/progman.hpp"
#include "shell/progman_commands.hpp"
#include "shell/program_file.hpp"
#include "shell/sjis_path.hpp"
#include "ui/application.hpp"

namespace obsc32 {

namespace {
void ProcessPending() { ui::Application::Instance().ProcessMessages(); }
}  // namespace

std::string UninstallStage1::TemporaryCopy() const { return run_.WindowsFolder + UninstallerName; }

bool UninstallStage1::Run(const HandedLook& look) {
    const std::string question =
        UninstallDisplayName(ProductLongTitle, ProgramVersion) + "\n" + kUninstallQuestion;
    if (prompter_.AskYesNo(question, 6) != 6) {
        prompter_.Tell(kUninstallCancelled);
        return false;
    }
    // The record of the folders the install made goes with the entry, so stage 2 gets it handed over.
    const std::string madeFolder = ReadMadeFolder();
    StopPoint("uninstall", 1);
    RemoveGroupIcon(ReadProductString("Group"));
    const std::string startup = ReadStartupGroupName();
    ProcessPending();
    RemoveGroupIcon(startup);
    StopPoint("uninstall", 2);
    // Documents and shortcuts that are gone already are no failure: none of these is reported.
    const std::string desktop = ReadShellFolders().Desktop;
    if (!desktop.empty()) {
        const std::string shortcut = YenAdd(desktop) + ProductLongTitle + ".lnk";
        if (FileExists(shortcut)) (void)DeleteFileAt(shortcut);
    }
    const auto files = ProductFileNames(ProductCode);
    for (size_t i = 1; i < files.size(); ++i) (void)DeleteFileAt(run_.ProgramFolder + files[i]);
    StopPoint("uninstall", 3);
    RemoveVersionValues();
    StopPoint("uninstall", 4);
    if (prompter_.AskYesNo(kRegistryQuestion, 6) == 6) RemoveProductSettings();
    StopPoint("uninstall", 5);

    // An older copy must never run a newer version's uninstall: anything but this very file is replaced. A
    // copy that fails is told below, as the start that then fails.
    const std::string temp = TemporaryCopy();
    if (!SameFileBytes(run_.ProgramPath, temp)) (void)CopyFileOver(run_.ProgramPath, temp);
    StopPoint("uninstall", 6);
    ProcessPending();
    try {
        WriteHandOver({run_.ProgramPath, look.Title, "", look.Color, look.FontColor, madeFolder});
    } catch (const ui::Error&) {
        // Not told here: stage 2 finds no hand-over and says so.
    }
    StopPoint("uninstall", 7);
    // Removed only now: a stage 1 cut short before this leaves the entry, and the shell can start it again.
    RemoveUninstallEntry();

    // Neither stage may hold the install folder as its current directory; stage 2 inherits this one.
    const bool moved = EnterFolder(YenCut(run_.WindowsFolder));
    ProcessPending();
    const char* failure = nullptr;
    if (!moved)
        failure = kStartFailed2;
    else if (!StartProgram("\"" + temp + "\" \"/DeleteFile\""))
        failure = kStartFailed1;
    if (!failure) return true;
    DeleteHandOver();
    throw ui::Error(failure);
}

void UninstallStage1::RemoveGroupIcon(const std::string& group) {
    // A name the commands cannot carry would show or delete in some other group, or upset Program Manager.
    if (group.empty() || !FitsInCommand(group)) return;
    // Not reported: an icon that cannot be removed stays, and the uninstall goes on.
    (void)ProgmanExecute(ShowGroupCommand(group), progman_);
    ProcessPending();
    (void)ProgmanExecute(DeleteItemCommand(ProductLongTitle), progman_);
    ProcessPending();
}

}  // namespace obsc32
