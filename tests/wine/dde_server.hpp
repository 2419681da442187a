// A DDE server of the test's own, on a thread of its own: it records what its clients send, answers a request
// with the bytes it was given, and can live on a desktop of the test's (QuietDesktop) where no other
// "PROGMAN" answers.
#pragma once
#include <windows.h>
#include <ddeml.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "common/registry.hpp"

namespace testing_wine {

class TestDdeServer {
public:
    // A narrow server, or a wide one that, as Wine's Program Manager does, refuses a command it cannot read
    // whole (Wine's DDEML hands a wide server a wide command with characters past U+00FF cut short).
    enum class Kind { Narrow, Wide };
    // Serves `service` with `topic`; a request of any item is answered with `reply` when it is not empty.
    TestDdeServer(std::string service, std::string topic, bool onQuietDesktop = false, std::string reply = {},
                  Kind kind = Kind::Narrow);
    ~TestDdeServer();
    TestDdeServer(const TestDdeServer&) = delete;
    TestDdeServer& operator=(const TestDdeServer&) = delete;

    bool Serving() const { return serving_; }
    // Each execute's text up to its zero, in UTF-8 (a refused one only "<refused>"); a text
    // that came without one is marked "<no zero>".
    std::vector<std::string> Executes() const;
    int Connections() const;
    int Disconnections() const;
    // Stops serving: its windows go, and with them every conversation.
    void Stop();

private:
    static DWORD WINAPI Run(void* self);
    static HDDEDATA CALLBACK Callback(UINT type, UINT fmt, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                      ULONG_PTR, ULONG_PTR);
    const std::string service_, topic_, reply_;
    const bool quiet_;
    const Kind kind_;
    DWORD instance_ = 0, threadId_ = 0;
    HANDLE thread_ = nullptr, ready_ = nullptr;
    bool serving_ = false;
    mutable std::mutex lock_;
    std::vector<std::string> executes_;
    int connections_ = 0, disconnections_ = 0;
};

// A desktop of this process whose own shell's DDE servers have been shut, made once; null if it could not be.
// The handle is kept for the process's life; threads enter the desktop with handles of their own.
HDESK QuietDesktop();
bool EnterQuietDesktop();
// Runs `work` on a thread of its own on the quiet desktop and waits for it, handling this thread's messages.
void RunOnQuietDesktop(const std::function<void()>& work);
// The top-level windows of a class on a desktop.
std::vector<HWND> WindowsOn(HDESK desktop, const char* className);

// Sets (or, with nullptr, removes) Explorer's MapGroups "StartUp" value and puts back what was there.
class ScopedStartupGroup {
public:
    explicit ScopedStartupGroup(const char* name);

private:
    testing_common::registry::SavedKey saved_;
};

}  // namespace testing_wine
