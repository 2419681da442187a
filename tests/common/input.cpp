#include "common/input.hpp"

#include <iterator>

namespace testing_common::input {

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

void Send(INPUT in) { SendInput(1, &in, sizeof(INPUT)); }

void SendKey(WORD vk, bool up) {
    INPUT in{};
    const bool extended = vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT || vk == VK_RIGHT;
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
    Send(in);
}

DWORD ButtonFlags(bool right, bool up) {
    return right ? (up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN)
                 : (up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN);
}

void SendButton(bool right, bool up) {
    POINT at{};
    GetCursorPos(&at);
    Send(MouseInput(at, ButtonFlags(right, up)));
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
                Send(MouseInput(at, MOUSEEVENTF_MOVE));
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
void PressAt(POINT at, bool right) { Send(MouseInput(at, MOUSEEVENTF_MOVE | ButtonFlags(right, false))); }
void ClickInOne(POINT at) {
    INPUT both[] = {MouseInput(at, MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN),
                    MouseInput(at, MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP)};
    SendInput(2, both, sizeof(INPUT));
}
void ReleaseAt(POINT at, bool right) { Send(MouseInput(at, MOUSEEVENTF_MOVE | ButtonFlags(right, true))); }

void Key(WORD vk) {
    KeyDown(vk);
    KeyUp(vk);
}
void KeyDown(WORD vk) { SendKey(vk, false); }
void KeyUp(WORD vk) { SendKey(vk, true); }

void KeyChord(std::initializer_list<WORD> modifiers, WORD vk) {
    for (WORD m : modifiers) KeyDown(m);
    Key(vk);
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) KeyUp(*m);
}

void PostClick(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(wnd, WM_LBUTTONUP, 0, at);
}

}  // namespace testing_common::input
