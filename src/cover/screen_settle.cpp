#include "cover/screen_settle.hpp"

#include <utility>

namespace obsc32 {

bool ScreenSettle::Rereads(unsigned message, std::uintptr_t wParam) {
    using namespace screen_notice;
    switch (message) {
        case kDisplayChange: return true;
        case kPowerBroadcast:
            return wParam == kResumeAutomatic || wParam == kResumeSuspend || wParam == kResumeCritical;
        case kSessionChange:
            return wParam == kSessionUnlock || wParam == kRemoteConnect || wParam == kConsoleConnect;
        default: return false;
    }
}

void ScreenSettle::Start(const ScreenShape& shape) {
    now_ = shape;
    pending_ = false;
}

bool ScreenSettle::Read(const ScreenShape& now) {
    // Kept through a burst that comes back where it began: a face may have been made at a size between.
    pending_ = pending_ || now != now_;
    now_ = now;
    return pending_;
}

bool ScreenSettle::Settled() { return std::exchange(pending_, false); }

}  // namespace obsc32
