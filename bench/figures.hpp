// The clock, the statistics and the start-up time every benchmark reports with.
#pragma once
#include <windows.h>

#include <vector>

#include "common/process.hpp"

namespace bench {

// The performance counter in milliseconds.
double Now();
// A reading of the performance counter in the milliseconds of Now().
double MsOfTicks(long long ticks);
double Median(std::vector<double> v);
// Nearest rank: with 10 runs, the 9th fastest.
double P90(std::vector<double> v);
// The centres of the rectangle's 3 x 3 cells, where the latency benchmarks read the screen.
std::vector<POINT> NinePoints(const RECT& r);

// A start's time from `t0`, as the start-up figures count it: until the new process first blocks waiting for
// messages with its window of the class in place (WaitForInputIdle; under Wine 8 PeekMessage and waiting for
// a SendMessage reply do not count as idle, a blocking GetMessage does), or, when it went idle before its
// window existed (`polled`), until the window is there and answers. Negative when it never got there or
// ended; `window` is the window found.
double StartTime(const testing_common::Process& run, const char* className, double t0, DWORD timeout,
                 HWND& window, bool& polled);

}  // namespace bench
