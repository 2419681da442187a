#include "common/wait.hpp"

namespace testing_common {

namespace {
bool (*messageFilter)(const MSG&) = nullptr;

void WaitAStep() { MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT); }
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

bool WaitUntil(const std::function<bool()>& condition, Millis timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if (GetTickCount() - start >= timeout) return false;
        WaitAStep();
    }
}

bool HoldsFor(const std::function<bool()>& condition, Millis duration) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (!condition()) return false;
        if (GetTickCount() - start >= duration) return true;
        WaitAStep();
    }
}

bool WaitUntilSteady(const std::function<bool()>& condition, Millis hold, Millis timeout) {
    return WaitUntil([&] { return condition() && HoldsFor(condition, hold); }, timeout);
}

namespace input {

namespace {
bool CursorAt(POINT at) {
    POINT p{};
    return GetCursorPos(&p) && p.x == at.x && p.y == at.y;
}

INPUT MouseInput(POINT at, DWORD flags) {
    // Absolute coordinates run 0..65535 over the screen; rounded up, the scaling back lands on `at`.
    const LONG w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (at.x * 65536 + w - 1) / w;
    in.mi.dy = (at.y * 65536 + h - 1) / h;
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return in;
}

void Send(INPUT* inputs, UINT count) { SendInput(count, inputs, sizeof(INPUT)); }

void SendKey(WORD vk, bool up) {
    INPUT in{};
    const bool extended = vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT || vk == VK_RIGHT;
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
    Send(&in, 1);
}

void SendButton(bool right, bool up) {
    POINT at{};
    GetCursorPos(&at);
    DWORD flags = right ? (up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN)
                        : (up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN);
    INPUT in = MouseInput(at, flags);
    Send(&in, 1);
}
}  // namespace

bool PlaceCursor(POINT at) {
    return WaitUntil(
        [&] {
            if (!CursorAt(at)) SetCursorPos(at.x, at.y);
            return WaitUntil([&] { return CursorAt(at); }, 500) && HoldsFor([&] { return CursorAt(at); }, 50);
        },
        5000);
}

bool MoveTo(POINT at, Millis hold) {
    // Sent again while an echo of an older position takes the pointer away.
    return WaitUntil(
        [&] {
            if (!CursorAt(at)) {
                INPUT in = MouseInput(at, MOUSEEVENTF_MOVE);
                Send(&in, 1);
                if (!WaitUntil([&] { return CursorAt(at); }, 1000)) return false;
            }
            return hold == 0 || HoldsFor([&] { return CursorAt(at); }, hold);
        },
        5000);
}

bool Click(POINT at, bool right) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    POINT before{at.x > cx / 2 ? at.x - 30 : at.x + 30, at.y > cy / 2 ? at.y - 40 : at.y + 40};
    if (!MoveTo(before) || !MoveTo(at)) return false;
    // The buttons carry the position too: one sent "where the pointer is" may land where a late echo put it.
    PressAt(at, right);
    ReleaseAt(at, right);
    return true;
}

void Press(bool right) { SendButton(right, false); }
void Release(bool right) { SendButton(right, true); }

void PressAt(POINT at, bool right) {
    INPUT in = MouseInput(at, MOUSEEVENTF_MOVE | (right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN));
    Send(&in, 1);
}
void ReleaseAt(POINT at, bool right) {
    INPUT in = MouseInput(at, MOUSEEVENTF_MOVE | (right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
    Send(&in, 1);
}

void Key(WORD vk) {
    KeyDown(vk);
    KeyUp(vk);
}
void KeyDown(WORD vk) { SendKey(vk, false); }
void KeyUp(WORD vk) { SendKey(vk, true); }

}  // namespace input

}  // namespace testing_common
