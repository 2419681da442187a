#include "figures.hpp"

#include <algorithm>
#include <cmath>

#include "common/windows.hpp"

namespace bench {

double MsOfTicks(long long ticks) {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    return static_cast<double>(ticks) / ticksPerMs;
}

double Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return MsOfTicks(t.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double P90(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(std::ceil(0.9 * v.size())) - 1];
}

double StartTime(const testing_common::Process& run, const char* className, double t0, DWORD timeout,
                 HWND& window, bool& polled) {
    polled = false;
    if (WaitForInputIdle(run.Handle(), timeout) != 0) return -1;
    double elapsed = Now() - t0;
    window = testing_common::WindowOf(className, run.Pid());
    if (!window) {
        polled = true;
        testing_common::WaitUntil(
            [&] {
                HWND w = testing_common::WindowOf(className, run.Pid());
                if (testing_common::Answers(w)) window = w;
                return window || !run.Running();
            },
            static_cast<DWORD>(std::max(0.0, timeout - (Now() - t0))), 1);
        elapsed = Now() - t0;
    }
    // WaitForInputIdle also returns at once when the process has already ended.
    return window && run.Running() ? elapsed : -1;
}

std::vector<POINT> NinePoints(const RECT& r) {
    std::vector<POINT> points;
    for (int i = 0; i < 9; ++i)
        points.push_back({r.left + (r.right - r.left) * (1 + 2 * (i % 3)) / 6,
                          r.top + (r.bottom - r.top) * (1 + 2 * (i / 3)) / 6});
    return points;
}

}  // namespace bench
