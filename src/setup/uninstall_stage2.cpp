#include "setup/uninstall_stage2.hpp"

#include "settings/product.hpp"
#include "setup/stop_point.hpp"
#include "setup/uninstall_values.hpp"
#include "shell/files.hpp"
#include "shell/program_file.hpp"
#include "shell/sjis_path.hpp"
#include "ui/component.hpp"

namespace obsc32 {

const HandOver& UninstallStage2::Take() {
    handed_ = TakeHandOver();
    StopPoint("uninstall2", 1);
    return handed_;
}

void UninstallStage2::Begin() {
    if (run_.FirstArgument != "/DeleteFile" || !IsProgramToDelete(handed_.File))
        throw ui::Error(kParameterError);
    // Not looked at: stage 1 may still be running it, and the retries follow.
    (void)DeleteFileAt(handed_.File);
}

bool UninstallStage2::IsProgramToDelete(const std::string& path) const {
    if (!IsUsableHandOverFile(path) || !FileExists(path)) return false;
    // Never the running copy itself, and nothing that is not this product's program.
    if (SjisCase(path, false) == SjisCase(run_.ProgramPath, false)) return false;
    return InternalNameOf(path) == ProductCode;
}

bool UninstallStage2::TryFinish() {
    if (FileExists(handed_.File) && !DeleteFileAt(handed_.File)) {
        if (++attempts_ < RetryLimit) return false;
        // Given up: the folders stay, as the file is still in one of them.
        throw ui::Error(std::string(kFileNotDeleted) + "\n" + handed_.File);
    }
    if (handed_.RmDir != "n")
        for (const std::string& folder : FoldersToRemove(handed_.File, handed_.RmTop, run_.WindowsFolder))
            if (!RemoveFolder(folder)) break;
    return true;
}

}  // namespace obsc32
