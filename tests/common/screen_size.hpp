// The screen's size changed for a test, in the Wine virtual desktop the tests run in, and put back after it.
#pragma once
#include <windows.h>

namespace testing_common {

class ScopedScreenSize {
public:
    // Changes the screen to w x h; Changed() tells whether the system took it.
    ScopedScreenSize(int w, int h);
    // Back to the size the screen had before, whatever the test did meanwhile.
    ~ScopedScreenSize();
    ScopedScreenSize(const ScopedScreenSize&) = delete;
    ScopedScreenSize& operator=(const ScopedScreenSize&) = delete;

    bool Changed() const { return changed_; }
    // Changes it again; true when the system reports the new size.
    bool Set(int w, int h);

private:
    int oldW_, oldH_;
    bool changed_ = false;
};

}  // namespace testing_common
