// Input as real devices give it, through SendInput, and readiness for it: the pointer reported where it was
// put before anything relies on its place.
#pragma once
#include <windows.h>

#include <initializer_list>

#include "common/wait.hpp"

namespace testing_common::input {

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
// A left press and release in one SendInput call, as automation tools send a click.
void ClickInOne(POINT at);
void ReleaseAt(POINT at, bool right = false);
void Key(WORD vk);
void KeyDown(WORD vk);
void KeyUp(WORD vk);
// Holds the modifiers, presses the key and lets all go.
void KeyChord(std::initializer_list<WORD> modifiers, WORD vk);
// A left press and release posted to a window's centre in its own coordinates, as the mouse gives them:
// reaches a button of another thread or process wherever it is and whatever lies over it.
void PostClick(HWND wnd);

}  // namespace testing_common::input
