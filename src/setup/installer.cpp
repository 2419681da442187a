#include "setup/installer.hpp"

#include <windows.h>

#include <vector>

#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "settings/uninstall_store.hpp"
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

namespace {
constexpr char kPublisher[] = "VANTE SOFT";
// CreateDirectory's own limit: MAX_PATH less room for an 8.3 name.
constexpr size_t kMaxFolderPath = MAX_PATH - 12;
}  // namespace

std::string Installer::Refusal(const InstallChoices& choices) {
    if (choices.Group.empty()) return kNoGroupText;
    if (choices.Folder.empty()) return kNoFolderText;
    // Program Manager reads such a name as part of its command and fails, or fails outright.
    if (!FitsInCommand(choices.Group))
        return "[ " + ShownLeft(choices.Group, 64) + " ]\n" + kUnusableGroupText;
    return {};
}

bool Installer::Run(const InstallChoices& choices) {
    const std::string& group = choices.Group;
    if (std::string refused = Refusal(choices); !refused.empty()) throw ui::Error(refused);

    // A text the system cannot make a path of (too long, say) would otherwise end up as the current drive's
    // root.
    const std::optional<std::string> full = FullPath(choices.Folder);
    if (!full) throw ui::Error("[ " + choices.Folder + " ]\n" + kFolderFailedText);
    std::string made;
    const std::optional<std::string> installFolder = MakeFolders(YenAdd(*full), made);
    if (!installFolder) return false;
    StopPoint("install", 1);
    CopyProductFiles(*installFolder);
    const std::string installedExePath = *installFolder + ProductFileNames(ProductCode)[0];

    prompter_.LetMessagesRun();
    WriteInstallPlace(YenCut(*installFolder), group);
    StopPoint("install", 6);

    prompter_.LetMessagesRun();
    SendIconCommands(group, installedExePath);
    StopPoint("install", 7);
    if (choices.StartupIcon) {
        const std::string startup = ReadStartupGroupName();
        if (startup.empty())
            prompter_.Tell(kNoStartupGroup);
        else if (!FitsInCommand(startup))
            prompter_.Tell(std::string(kUnusableStartupGroup) + "\n" + ShownLeft(startup, 64));
        else
            SendIconCommands(startup, installedExePath);
    }

    WriteUninstallEntry({UninstallDisplayName(ProductLongTitle, ProgramVersion),
                         UninstallCommand(installedExePath),
                         MadeFolderRecord(made, ReadMadeFolder(), *installFolder), installedExePath,
                         DisplayVersionText(ProgramVersion), kPublisher, YenCut(*installFolder),
                         InstalledSizeKb(*installFolder)});
    StopPoint("install", 8);
    WriteInstalledVersion(ProgramVersion, choices.BackColor, choices.VanteColor);
    StopPoint("install", 9);
    prompter_.LetMessagesRun();
    return true;
}

std::optional<std::string> Installer::MakeFolders(const std::string& path, std::string& made) {
    std::vector<std::string> levels;
    YenLevels(path, levels);
    bool asked = false;
    for (std::string& level : levels) {
        level = YenCut(FullPath(level).value_or(""));
        // A folder that can be made current exists; the deepest one that exists stays current.
        if (!level.empty() && EnterFolder(level)) continue;
        if (!asked) {
            asked = true;
            if (prompter_.AskYesNo(YenCut(path) + "\n" + kMakeFolderQuestion, 6) != 6) return std::nullopt;
        }
        const std::string failed = "[ " + level + " ]\n" + kFolderFailedText;
        // Windows makes no folder whose path leaves no room for an 8.3 file name; some file systems would,
        // and the program could not be started from there.
        if (level.empty() || WideLength(level) > kMaxFolderPath) throw ui::Error(failed);
        // Recorded before it is made, so no moment leaves a folder made that no record names, and taken back
        // when it is not made, so no record names a folder another made. A record of a run cut short that
        // holds this folder stays: that run made what this one finds.
        const bool first = made.empty();
        std::optional<std::string> earlier;
        if (first) {
            made = MadeFolderRecord(level, ReadMadeFolder(), path);
            earlier = WriteMadeFolder(made);
            StopPoint("install", 0);
        }
        if (!MakeFolder(level)) {
            if (first) PutBackMadeFolder(earlier);
            throw ui::Error(failed);
        }
    }
    std::string folder = levels.empty() ? std::string() : YenAdd(levels.back());
    if (folder == "\\") folder.clear();
    // An existing folder too deep for the program's own path is no place for it either.
    if (folder.empty() || WideLength(folder + ProductFileNames(ProductCode)[0]) >= MAX_PATH)
        throw ui::Error("[ " + folder + " ]\n" + kBadDataText);
    return folder;
}

void Installer::CopyProductFiles(const std::string& installFolder) {
    // Installing over the running copy: the files are already there.
    if (AsciiCase(run_.ProgramFolder, false) == AsciiCase(installFolder, false)) return;
    const auto files = ProductFileNames(ProductCode);
    for (std::size_t i = 0; i < kCopiedFileCount; ++i) {
        // Named after the product whatever the running file is called.
        const std::string& name = files[i];
        if (!CopyFileOver(run_.ProgramFolder + name, installFolder + name))
            throw ui::Error(name + "\n" + kCopyFailedText);
        StopPoint("install", 2 + static_cast<int>(i));
    }
}

DWORD Installer::InstalledSizeKb(const std::string& installFolder) {
    unsigned long long bytes = 0;
    const auto files = ProductFileNames(ProductCode);
    for (size_t i = 0; i < kCopiedFileCount; ++i) bytes += FileSize(installFolder + files[i]).value_or(0);
    return static_cast<DWORD>((bytes + 1023) / 1024);
}

void Installer::SendIconCommands(const std::string& group, const std::string& programPath) {
    // A command that fails is not reported: the install goes on without that icon.
    (void)ProgmanExecute(CreateGroupCommand(group), progman_);
    prompter_.LetMessagesRun();
    (void)ProgmanExecute(AddItemCommand(programPath, ProductLongTitle), progman_);
    prompter_.LetMessagesRun();
}

}  // namespace obsc32
