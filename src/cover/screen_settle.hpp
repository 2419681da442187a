// How the cover follows the screen. A burst of display changes (a monitor waking, a projection switched, a
// remote session connecting) refits the cover at each change, which is cheap, and makes its picture anew
// once, when the burst has settled. A return from sleep or to the session reads the screen again, as it may
// have changed unannounced meanwhile.
#pragma once
#include <cstdint>

#include "cover/monitor_plan.hpp"

namespace obsc32 {

// The system's messages and notices that say the screen may have changed, by their values in windows.h.
namespace screen_notice {
inline constexpr unsigned kDisplayChange = 0x007E;   // WM_DISPLAYCHANGE
inline constexpr unsigned kPowerBroadcast = 0x0218;  // WM_POWERBROADCAST
inline constexpr unsigned kSessionChange = 0x02B1;   // WM_WTSSESSION_CHANGE
inline constexpr std::uintptr_t kResumeCritical = 0x0006, kResumeSuspend = 0x0007, kResumeAutomatic = 0x0012;
inline constexpr std::uintptr_t kConsoleConnect = 0x1, kRemoteConnect = 0x3, kSessionUnlock = 0x8;
}  // namespace screen_notice

// What the cover was fitted to: its monitors and the colour depth.
struct ScreenShape {
    ScreenLayout Layout;
    int Depth = 0;
    bool operator==(const ScreenShape&) const = default;
};

class ScreenSettle {
public:
    // Whether a message asks for the screen to be read again: a display change, a return from sleep, the
    // session unlocked or connected again.
    static bool Rereads(unsigned message, std::uintptr_t wParam);

    // The screen the faces were made for, at creation.
    void Start(const ScreenShape& shape);
    // The screen as read now, the cover fitted to it; true when the settle timer is to start again: the
    // screen changed since the last read, or a burst is under way.
    bool Read(const ScreenShape& now);
    // The settle timer went off: true, once a burst, when the picture is to be made for the screen as it is
    // now.
    bool Settled();
    const ScreenShape& Now() const { return now_; }

private:
    ScreenShape now_;
    bool pending_ = false;
};

}  // namespace obsc32
