#include "setup/uninstall_stage2.hpp"

#include <algorithm>
#include <vector>

#include "settings/product.hpp"
#include "setup/stop_point.hpp"
#include "setup/uninstall_values.hpp"
#include "shell/files.hpp"
#include "shell/program_file.hpp"
#include "shell/sjis_path.hpp"
#include "shell/system_paths.hpp"
#include "ui/component.hpp"

namespace obsc32 {

const HandOver& UninstallStage2::Take() {
    handed_ = TakeHandOver();
    StopPoint("uninstall2", 1);
    return handed_;
}

void UninstallStage2::Begin() {
    // Compared and removed as the system resolves them, not as they are spelled.
    file_ = handed_.File.empty() ? std::string() : ResolvedPath(handed_.File).value_or("");
    top_ = handed_.RmTop.empty() ? std::string() : ResolvedPath(handed_.RmTop).value_or("");
    if (run_.FirstArgument != "/DeleteFile" || !IsUsableHandOverFile(handed_.File) ||
        !IsUsableHandOverFile(file_))
        throw ui::Error(kParameterError);
    if (!FileExists(file_)) return;
    if (!IsProgramToDelete(IdentityOf(file_), InternalNameOf(file_))) throw ui::Error(kParameterError);
    // Not looked at: stage 1 may still be running it, and the retries follow.
    (void)TryDelete();
}

bool UninstallStage2::TryDelete() {
    {
        HeldFile held(file_);
        if (!held) return false;
        // Checked again each time: another file may have been put in its place since the last try.
        if (!IsProgramToDelete(held.Identity(), held.InternalName()))
            throw ui::Error(std::string(kFileNotDeleted) + "\n" + handed_.File);
        if (!held.Delete()) return false;
    }
    return !FileExists(file_);
}

bool UninstallStage2::IsProgramToDelete(std::optional<FileIdentity> identity,
                                        const std::string& internalName) const {
    // Never the running copy itself, and nothing that is not this product's program.
    if (!identity || identity == IdentityOf(run_.ProgramPath)) return false;
    return internalName == ProductCode && !GoesThroughReparsePoint(FolderPart(file_));
}

bool UninstallStage2::TryFinish() {
    if (FileExists(file_) && !TryDelete()) {
        if (++attempts_ < RetryLimit) return false;
        // Given up: the folders stay, as the file is still in one of them.
        throw ui::Error(std::string(kFileNotDeleted) + "\n" + handed_.File);
    }
    if (handed_.RmDir != "n") RemoveFolders();
    return true;
}

bool UninstallStage2::GoesThroughReparsePoint(const std::string& path) {
    std::vector<std::string> levels;
    YenLevels(YenAdd(path), levels);
    return std::any_of(levels.begin(), levels.end(),
                       [](const std::string& level) { return IsReparsePoint(level); });
}

void UninstallStage2::RemoveFolders() const {
    std::vector<std::string> windowsLevels;
    YenLevels(YenAdd(run_.WindowsFolder), windowsLevels);
    std::vector<FileIdentity> kept;
    for (const std::string& level : windowsLevels)
        if (auto id = IdentityOf(level)) kept.push_back(*id);
    for (const std::string& folder : FoldersToRemove(file_, top_, run_.WindowsFolder)) {
        const std::optional<FileIdentity> id = IdentityOf(folder);
        if (!id || std::find(kept.begin(), kept.end(), *id) != kept.end() || IsVolumeRoot(folder) ||
            GoesThroughReparsePoint(folder) || !RemoveFolder(folder))
            break;
    }
}

}  // namespace obsc32
