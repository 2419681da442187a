// Uninstall stage 2, run by the temporary copy: it takes the hand-over, deletes the program file once
// stage 1 has let go of it, and removes the folders the install made when they are empty.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/run_context.hpp"
#include "settings/uninstall_store.hpp"
#include "shell/held_file.hpp"

namespace obsc32 {

class UninstallStage2 {
public:
    explicit UninstallStage2(const RunContext& run) : run_(run) {}

    // Reads the hand-over and deletes it at once, so that no later start reads it again.
    const HandOver& Take();
    // Starts on the program file: a first try at deleting it, as stage 1 may still be running it. Throws
    // ui::Error with the parameter error when this start may delete nothing: no hand-over, not started to
    // delete, or a file that is not another copy of this very program. A program already gone leaves only
    // its folders to remove.
    void Begin();
    // Tries the program file again: false while it stays (try again later); true once it is gone and the
    // folders are removed. Throws ui::Error naming the file when it gave up after RetryLimit tries, or when
    // the file there is no longer the one checked.
    bool TryFinish();

    // How many times the program file is tried: at one a second, well past the end of stage 1.
    int RetryLimit = 60;

private:
    // One try: false while the file, or this program's own, cannot be held, read or deleted.
    bool TryDelete();
    // Another copy of this very program (the same bytes; not compared while either cannot be read), not the
    // running one, reached through no reparse point and none itself.
    bool IsProgramToDelete(std::optional<FileIdentity> identity,
                           const std::optional<std::vector<uint8_t>>& bytes) const;
    // The empty folders the install made, deepest first; never a root, the Windows folder or one holding it,
    // however they are spelled.
    void RemoveFolders() const;

    const RunContext& run_;
    HandOver handed_;
    // The handed file and top folder as the system resolves them.
    std::string file_, top_;
    // The running program's own bytes, read once: what the handed file must hold. None until read.
    std::optional<std::vector<uint8_t>> image_;
    int attempts_ = 0;
};

}  // namespace obsc32
