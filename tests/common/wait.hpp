// Waiting on conditions with a deadline, and real input, for every suite that runs under Wine.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace testing_common {

// Durations in milliseconds (<chrono> does not build with the Shift-JIS execution character set).
using Millis = DWORD;
inline constexpr Millis kDeadline = 10000;

// A filter every pumped message passes first; true when it used the message. The in-process tests route
// keys to forms with it, as the program's own loops do.
void SetMessageFilter(bool (*filter)(const MSG&));

// Dispatches the messages of the calling thread's windows; every wait does this while it polls.
void PumpMessages();
// Polls the condition every 10 ms or so until it holds or the deadline passes.
bool WaitUntil(const std::function<bool()>& condition, Millis timeout = kDeadline);
// True when the condition held at every poll for the whole duration.
bool HoldsFor(const std::function<bool()>& condition, Millis duration);
// Waits until the condition holds and keeps holding for `hold`, so passing states on the way do not count.
bool WaitUntilSteady(const std::function<bool()>& condition, Millis hold, Millis timeout = kDeadline);

// Input as real devices give it, through SendInput.
namespace input {
// Warps the pointer (SetCursorPos) and waits until the system reports it there for 50 ms, warping again
// while a late echo of an older position takes it away; false when it never stays.
bool PlaceCursor(POINT at);
// Moves the pointer and waits until the system reports it there for `hold` ms (Wine may echo an older
// position shortly after a move; while another process tracks a menu it may do so again and again, and
// only `hold` 0 gets through); false when it never gets there.
bool MoveTo(POINT at, Millis hold = 100);
// A click at a point; the pointer comes in from elsewhere first, since a pointer resting where another
// window was does not report a new position.
bool Click(POINT at, bool right = false);
void Press(bool right = false);
void Release(bool right = false);
// A press or release that carries its own position: under Wine one sent "where the pointer is" can land
// where an older warp left it, even after the pointer was reported at its new place.
void PressAt(POINT at, bool right = false);
void ReleaseAt(POINT at, bool right = false);
void Key(WORD vk);
void KeyDown(WORD vk);
void KeyUp(WORD vk);
}  // namespace input

}  // namespace testing_common
