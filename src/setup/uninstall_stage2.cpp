#include "setup/uninstall_stage2.hpp"

#include <algorithm>
#include <vector>

#include "setup/program_to_delete.hpp"
#include "setup/stop_point.hpp"
#include "setup/uninstall_values.hpp"
#include "shell/files.hpp"
#include "shell/path_text.hpp"
#include "shell/program_file.hpp"
#include "shell/system_paths.hpp"
#include "shell/whole_file.hpp"
#include "ui/component.hpp"

namespace obsc32 {

const HandOver& UninstallStage2::Take() {
    handed_ = TakeHandOver();
    StopPoint("uninstall2", 1);
    return handed_;
}

void UninstallStage2::Begin() {
    // Compared and removed as the system resolves them, not as they are spelled.
    const std::optional<std::string> file =
        run_.FirstArgument == "/DeleteFile" ? ResolvedHandOverFile(handed_.File) : std::nullopt;
    if (!file) throw ui::Error(kParameterError);
    file_ = *file;
    top_ = handed_.RmTop.empty() ? std::string() : ResolvedPath(handed_.RmTop).value_or("");
    if (!FileExists(file_)) return;
    image_ = ReadWholeFile(run_.ProgramPath, kMaxProgramBytes);
    if (!IsProgramToDelete(IdentityOf(file_), ReadWholeFile(file_, kMaxProgramBytes)))
        throw ui::Error(kParameterError);
    // Not looked at: stage 1 may still be running it, and the retries follow.
    (void)TryDelete();
}

bool UninstallStage2::TryDelete() {
    // Compared in memory: a program written out to compare with is what a scanner holds or a full
    // temporary folder refuses.
    if (!image_) image_ = ReadWholeFile(run_.ProgramPath, kMaxProgramBytes);
    {
        HeldFile held(file_);
        if (!held || !image_) return false;
        const std::optional<std::vector<uint8_t>> bytes = held.Bytes();
        if (!bytes) return false;
        // Checked again each time: another file may have been put in its place since the last try.
        // What the handle holds, which is the link itself where the path is one.
        if (!IsPlainFile(held.Attributes()) || !IsProgramToDelete(held.Identity(), bytes))
            throw ui::Error(std::string(kFileNotDeleted) + "\n" + handed_.File);
        if (!held.Delete()) return false;
    }
    return !FileExists(file_);
}

bool UninstallStage2::IsProgramToDelete(std::optional<FileIdentity> identity,
                                        const std::optional<std::vector<uint8_t>>& bytes) const {
    // Never the running copy itself, and nothing but this program's very bytes.
    if (!identity || identity == IdentityOf(run_.ProgramPath)) return false;
    if (bytes && image_ && *bytes != *image_) return false;
    return !GoesThroughReparsePoint(file_);
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
