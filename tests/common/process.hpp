// A program started for a test or a benchmark, in a job object of its own: when the object goes, the program
// and every process it started end with it, also when the test fails or dies half-way.
#pragma once
#include <windows.h>

#include <string>

#include "common/wait.hpp"

namespace testing_common {

class Process {
public:
    // Runs `exe` with the arguments in the working folder `folder` (empty: this process's); Started() tells
    // whether it runs.
    explicit Process(const std::string& exe, const std::string& args = "", const std::string& folder = "");
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return pi_.hProcess != nullptr; }
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Handle() const { return pi_.hProcess; }
    bool Running() const;
    bool WaitForExit(Millis timeout = kDeadline) const;
    DWORD ExitCode() const;  // STILL_ACTIVE while running

    // Freezes its main thread, so it answers nothing that needs that thread; Resume thaws it whatever the
    // count of freezes.
    void Suspend();
    void Resume();
    // Posts WM_CLOSE to `window` (if any) and waits for the end; past the timeout ends everything by force.
    // True when it ended by itself.
    bool Close(HWND window, Millis timeout = 5000);
    // Ends it and every process it started, now.
    void Kill();

private:
    PROCESS_INFORMATION pi_{};
    HANDLE job_ = nullptr;
    int suspended_ = 0;
};

}  // namespace testing_common
