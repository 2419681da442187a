// The system's critical-error boxes ("no disk in drive A:") off for a scope; the previous mode comes back.
#pragma once
#include <windows.h>

namespace ui {

class CriticalErrorsOff {
public:
    CriticalErrorsOff() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {
        SetErrorMode(previous_ | SEM_FAILCRITICALERRORS);
    }
    ~CriticalErrorsOff() { SetErrorMode(previous_); }
    CriticalErrorsOff(const CriticalErrorsOff&) = delete;
    CriticalErrorsOff& operator=(const CriticalErrorsOff&) = delete;

private:
    UINT previous_;
};

}  // namespace ui
