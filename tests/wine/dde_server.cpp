#include "wine/dde_server.hpp"

#include <ddeml.h>

#include <algorithm>
#include <cstring>

#include "common/registry.hpp"
#include "common/text.hpp"
#include "common/wait.hpp"

namespace testing_wine {

// The process's own: the shell Wine started for an earlier test process's desktop may still be on its way out.
const std::string kQuietDesktop = "obsc32quiet" + std::to_string(GetCurrentProcessId());

bool EnterQuietDesktop() {
    // A handle of the thread's own: Wine closes the one a thread was set to when the thread ends.
    HDESK desktop = OpenDesktopA(kQuietDesktop.c_str(), 0, FALSE, GENERIC_ALL);
    return desktop && SetThreadDesktop(desktop);
}

namespace {
// The server whose thread this is: DDEML callbacks carry no pointer of their own.
thread_local TestDdeServer* serverOfThread = nullptr;

// Waits for a thread while this thread's windows keep being served.
void JoinPumping(HANDLE thread) {
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        testing_common::PumpMessages();
}

const char* kMapGroups = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MapGroups";
}  // namespace

TestDdeServer::TestDdeServer(std::string service, std::string topic, bool quiet, std::string reply, Kind kind)
    : service_(std::move(service)),
      topic_(std::move(topic)),
      reply_(std::move(reply)),
      quiet_(quiet),
      kind_(kind) {
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, &threadId_);
    WaitForSingleObject(ready_, 10000);
}

TestDdeServer::~TestDdeServer() {
    Stop();
    CloseHandle(ready_);
}

void TestDdeServer::Stop() {
    if (!thread_) return;
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    JoinPumping(thread_);
    CloseHandle(thread_);
    thread_ = nullptr;
    serving_ = false;
}

std::vector<std::string> TestDdeServer::Executes() const {
    std::lock_guard<std::mutex> hold(lock_);
    return executes_;
}

int TestDdeServer::Connections() const {
    std::lock_guard<std::mutex> hold(lock_);
    return connections_;
}

int TestDdeServer::Disconnections() const {
    std::lock_guard<std::mutex> hold(lock_);
    return disconnections_;
}

DWORD WINAPI TestDdeServer::Run(void* p) {
    auto* self = static_cast<TestDdeServer*>(p);
    serverOfThread = self;
    if (self->quiet_ && !EnterQuietDesktop()) {
        SetEvent(self->ready_);
        return 1;
    }
    DWORD inst = 0;
    const DWORD flags = APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES;
    if ((self->kind_ == Kind::Narrow ? DdeInitializeA(&inst, Callback, flags, 0)
                                     : DdeInitializeW(&inst, Callback, flags, 0)) != DMLERR_NO_ERROR) {
        SetEvent(self->ready_);
        return 1;
    }
    self->instance_ = inst;
    HSZ service = DdeCreateStringHandleA(inst, self->service_.c_str(), CP_WINANSI);
    self->serving_ = DdeNameService(inst, service, nullptr, DNS_REGISTER) != nullptr;
    SetEvent(self->ready_);
    MSG msg;
    // Read narrow, a wide client's execute would come converted, as it would to a narrow server.
    if (self->kind_ == Kind::Narrow)
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    else
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    DdeNameService(inst, service, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(inst, service);
    DdeUninitialize(inst);
    return 0;
}

HDDEDATA CALLBACK TestDdeServer::Callback(UINT type, UINT fmt, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                          ULONG_PTR, ULONG_PTR) {
    TestDdeServer* self = serverOfThread;
    if (!self) return nullptr;
    switch (type) {
        case XTYP_CONNECT: {
            char topic[256] = {};
            DdeQueryStringA(self->instance_, hsz1, topic, sizeof topic, CP_WINANSI);
            return reinterpret_cast<HDDEDATA>(
                static_cast<UINT_PTR>(lstrcmpiA(topic, self->topic_.c_str()) == 0));
        }
        case XTYP_CONNECT_CONFIRM: {
            std::lock_guard<std::mutex> hold(self->lock_);
            ++self->connections_;
            return nullptr;
        }
        case XTYP_DISCONNECT: {
            std::lock_guard<std::mutex> hold(self->lock_);
            ++self->disconnections_;
            return nullptr;
        }
        case XTYP_EXECUTE: {
            DWORD size = DdeGetData(data, nullptr, 0, 0);
            std::string bytes(size, '\0');
            DdeGetData(data, reinterpret_cast<BYTE*>(bytes.data()), size, 0);
            // What arrived, in UTF-8: a wide server's text is UTF-16, a narrow one's in the system's code page.
            if (self->kind_ == Kind::Wide) {
                std::wstring chars(bytes.size() / 2, L'\0');
                std::memcpy(chars.data(), bytes.data(), chars.size() * 2);
                bytes = testing_common::U(chars);
            } else {
                bytes = testing_common::FromCodePage(bytes, CP_ACP);
            }
            const bool refused = self->kind_ == Kind::Wide && bytes.find(']') == std::string::npos;
            size_t zero = bytes.find('\0');
            std::lock_guard<std::mutex> hold(self->lock_);
            self->executes_.push_back(refused                     ? "<refused>"
                                      : zero == std::string::npos ? "<no zero>"
                                                                  : bytes.substr(0, zero));
            return reinterpret_cast<HDDEDATA>(refused ? DDE_FNOTPROCESSED : DDE_FACK);
        }
        case XTYP_REQUEST: {
            if (fmt != CF_TEXT || self->reply_.empty()) return nullptr;
            // Program Manager answers in the system's code page.
            std::string reply = testing_common::InCodePage(self->reply_, CP_ACP);
            return DdeCreateDataHandle(self->instance_, reinterpret_cast<BYTE*>(reply.data()),
                                       static_cast<DWORD>(reply.size()), 0, hsz2, CF_TEXT, 0);
        }
        default: return nullptr;
    }
}

namespace {
struct Found {
    const char* className;
    std::vector<HWND> windows;
};
BOOL CALLBACK Collect(HWND wnd, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    char cls[64] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (std::strcmp(cls, f->className) == 0) f->windows.push_back(wnd);
    return TRUE;
}

std::vector<HWND> ServerNamesOfOthers(HDESK desktop) {
    std::vector<HWND> others;
    for (HWND w : WindowsOn(desktop, "WineDdeServerName")) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != GetCurrentProcessId()) others.push_back(w);
    }
    return others;
}

// Wine starts a shell for every new desktop, with Program Manager's server in it; its three name windows
// are closed from a thread of that desktop, so its connect requests find no server there.
DWORD WINAPI Quieten(void* desktop) {
    if (!EnterQuietDesktop()) return 1;
    HWND first = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    bool up = testing_common::WaitUntil(
        [&] { return ServerNamesOfOthers(static_cast<HDESK>(desktop)).size() >= 3; });
    for (HWND w : ServerNamesOfOthers(static_cast<HDESK>(desktop))) SendMessageA(w, WM_CLOSE, 0, 0);
    bool shut =
        testing_common::WaitUntil([&] { return ServerNamesOfOthers(static_cast<HDESK>(desktop)).empty(); });
    DestroyWindow(first);
    return up && shut ? 0 : 1;
}
}  // namespace

std::vector<HWND> WindowsOn(HDESK desktop, const char* className) {
    Found f{className, {}};
    EnumDesktopWindows(desktop, Collect, reinterpret_cast<LPARAM>(&f));
    return f.windows;
}

HDESK QuietDesktop() {
    static HDESK desktop = [] {
        HDESK d = CreateDesktopA(kQuietDesktop.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        if (!d) return d;
        HANDLE t = CreateThread(nullptr, 0, Quieten, d, 0, nullptr);
        JoinPumping(t);
        DWORD code = 1;
        GetExitCodeThread(t, &code);
        CloseHandle(t);
        return code == 0 ? d : nullptr;
    }();
    return desktop;
}

namespace {
DWORD WINAPI RunWork(void* p) {
    if (!EnterQuietDesktop()) return 1;
    (*static_cast<const std::function<void()>*>(p))();
    return 0;
}
}  // namespace

void RunOnQuietDesktop(const std::function<void()>& work) {
    HANDLE t = CreateThread(nullptr, 0, RunWork, const_cast<std::function<void()>*>(&work), 0, nullptr);
    JoinPumping(t);
    CloseHandle(t);
}

ScopedStartupGroup::ScopedStartupGroup(const char* name) : saved_(HKEY_CURRENT_USER, kMapGroups) {
    if (name)
        testing_common::registry::SetString(HKEY_CURRENT_USER, kMapGroups, "StartUp", name);
    else
        testing_common::registry::DeleteValue(HKEY_CURRENT_USER, kMapGroups, "StartUp");
}

}  // namespace testing_wine
