#include "common/wait.hpp"

namespace testing_common {

namespace {
bool (*messageFilter)(const MSG&) = nullptr;

void WaitAStep(Millis step) {
    if (step) MsgWaitForMultipleObjects(0, nullptr, FALSE, step, QS_ALLINPUT);
}
}  // namespace

void SetMessageFilter(bool (*filter)(const MSG&)) { messageFilter = filter; }

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        // A quit posted by a program's main window belongs to that program's loop, not to the test's.
        if (msg.message == WM_QUIT) continue;
        if (messageFilter && messageFilter(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WaitUntil(const std::function<bool()>& condition, Millis timeout, Millis step) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if (GetTickCount() - start >= timeout) return false;
        WaitAStep(step);
    }
}

bool HoldsFor(const std::function<bool()>& condition, Millis duration) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (!condition()) return false;
        if (GetTickCount() - start >= duration) return true;
        WaitAStep(10);
    }
}

bool WaitUntilSteady(const std::function<bool()>& condition, Millis hold, Millis timeout) {
    return WaitUntil([&] { return condition() && HoldsFor(condition, hold); }, timeout);
}

}  // namespace testing_common
