// Waiting on conditions with a deadline, for every suite and benchmark that runs under Wine.
#pragma once
#include <windows.h>

#include <functional>

namespace testing_common {

// Durations in milliseconds (<chrono> does not build with the Shift-JIS execution character set).
using Millis = DWORD;
inline constexpr Millis kDeadline = 10000;

// A filter every pumped message passes first; true when it used the message. The in-process tests route
// keys to forms with it, as the program's own loops do.
void SetMessageFilter(bool (*filter)(const MSG&));

// Dispatches the messages of the calling thread's windows; every wait does this while it polls.
void PumpMessages();
// Polls the condition until it holds or the deadline passes, every `step` ms or as soon as a message comes
// (0: without a pause, for a benchmark's timing).
bool WaitUntil(const std::function<bool()>& condition, Millis timeout = kDeadline, Millis step = 10);
// True when the condition held at every poll for the whole duration.
bool HoldsFor(const std::function<bool()>& condition, Millis duration);
// Waits until the condition holds and keeps holding for `hold`, so passing states on the way do not count.
bool WaitUntilSteady(const std::function<bool()>& condition, Millis hold, Millis timeout = kDeadline);

}  // namespace testing_common
