#include "common/process.hpp"

#include "common/text.hpp"

namespace testing_common {

Process::Process(const std::string& exe, const std::string& args, const std::string& folder) {
    job_ = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job_) SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    std::wstring commandLine = W("\"" + exe + "\"" + (args.empty() ? "" : " " + args));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    // Suspended until it is in the job, so nothing it starts can escape it.
    if (!CreateProcessW(W(exe).c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, folder.empty() ? nullptr : W(folder).c_str(), &si, &pi_)) {
        pi_ = {};
        return;
    }
    if (job_) AssignProcessToJobObject(job_, pi_.hProcess);
    ResumeThread(pi_.hThread);
}

Process::~Process() {
    Kill();
    if (pi_.hProcess) {
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    if (job_) CloseHandle(job_);
}

bool Process::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

bool Process::WaitForExit(Millis timeout) const {
    return WaitUntil([&] { return !Running(); }, timeout);
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

void Process::Suspend() {
    if (pi_.hThread && SuspendThread(pi_.hThread) != static_cast<DWORD>(-1)) ++suspended_;
}

void Process::Resume() {
    for (; suspended_ > 0; --suspended_) ResumeThread(pi_.hThread);
}

bool Process::Close(HWND window, Millis timeout) {
    Resume();
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    const bool ended = WaitForExit(timeout);
    Kill();
    return ended;
}

void Process::Kill() {
    if (job_) {
        TerminateJobObject(job_, 1);
        // Whatever the program started goes too; the next test must not meet it.
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
        WaitUntil(
            [&] {
                return !QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &info,
                                                  sizeof info, nullptr) ||
                       info.ActiveProcesses == 0;
            },
            5000);
    }
    if (Running()) TerminateProcess(pi_.hProcess, 1);
    if (pi_.hProcess) WaitForSingleObject(pi_.hProcess, 5000);
}

}  // namespace testing_common
