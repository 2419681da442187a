#include "app/start_turn.hpp"

namespace obsc32 {

StartTurn::StartTurn(bool take) {
    if (!take) return;
    // One turn to a session: another user's program is not this one's business.
    mutex_.Reset(CreateMutexW(nullptr, FALSE, L"Local\\VANTE SOFT32 OBSC32 start"));
    if (!mutex_) return;
    const DWORD waited = WaitForSingleObject(mutex_.Get(), 5000);
    // An abandoned turn (a run killed in its turn) is this one's now.
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void StartTurn::End() {
    if (held_) ReleaseMutex(mutex_.Get());
    held_ = false;
}

}  // namespace obsc32
