// Uninstall stage 2, run by the temporary copy: it takes the hand-over, deletes the program file once
// stage 1 has let go of it, and removes the folders the install made when they are empty.
#pragma once
#include <string>

#include "settings/run_context.hpp"
#include "settings/uninstall_store.hpp"

namespace obsc32 {

class UninstallStage2 {
public:
    explicit UninstallStage2(const RunContext& run) : run_(run) {}

    // Reads the hand-over and deletes it at once, so that no later start reads it again.
    const HandOver& Take();
    // Starts on the program file: a first try at deleting it, as stage 1 may still be running it. Throws
    // ui::Error with the parameter error when this start may delete nothing: no hand-over, not started to
    // delete, or a file that is not another copy of this product's program.
    void Begin();
    // Tries the program file again: false while it stays (try again later); true once it is gone and the
    // folders are removed. Throws ui::Error naming the file when it gave up after RetryLimit tries.
    bool TryFinish();

    // How many times the program file is tried: at one a second, well past the end of stage 1.
    int RetryLimit = 60;

private:
    bool IsProgramToDelete(const std::string& path) const;

    const RunContext& run_;
    HandOver handed_;
    int attempts_ = 0;
};

}  // namespace obsc32
