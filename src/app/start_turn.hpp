// Starts at the same moment take turns, so that each sees the main window of the one before it: a turn
// lasts from the look for a running window until this run's own main window is made. A turn that does not
// come within a few seconds (a run before it hangs) is taken all the same.
#pragma once
#include "ui/handles.hpp"

namespace obsc32 {

class StartTurn {
public:
    // Waits for the turn; with `take` false, takes none.
    explicit StartTurn(bool take);
    ~StartTurn() { End(); }
    StartTurn(const StartTurn&) = delete;
    StartTurn& operator=(const StartTurn&) = delete;
    // The next start may look now.
    void End();

private:
    ui::KernelHandle mutex_;
    bool held_ = false;
};

}  // namespace obsc32
