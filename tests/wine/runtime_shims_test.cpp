// The program's runtime as OBSC32.EXE links it, in a program of its own, as GoogleTest's programs are built
// on the other thread model and keep the library's own failure reports. Several threads throw, catch, keep
// thread-local data and race to one guarded static at once, as the win32 model's locks must bear; the
// library's failures arrive as src/runtime reports them.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ui/component.hpp"

namespace {

constexpr int kThreads = 6, kRounds = 3000;
int failures = 0;

void Check(bool ok, const char* what) {
    if (!ok) std::printf("FAILED: %s\n", what), ++failures;
}

std::atomic<int> initialisations{0};
thread_local int thrown_here = 0;

int SlowStatic() {
    static const int value = [] {
        ++initialisations;
        Sleep(50);  // long enough for every thread to arrive while it is made
        return 42;
    }();
    return value;
}

// Rounds whose exception came back to its own thread with its own text, if the thread-local count agrees.
DWORD WINAPI Worker(void*) {
    if (SlowStatic() != 42) return 0;
    DWORD right = 0;
    for (int i = 0; i < kRounds; ++i) {
        try {
            ++thrown_here;
            throw ui::Error(std::to_string(i));
        } catch (const ui::Error& e) {
            right += std::to_string(i) == e.what();
        }
    }
    return thrown_here == kRounds ? right : 0;
}

const char* Opaque(const char* p) {
    volatile const char* q = p;
    return const_cast<const char*>(q);
}

template <class E, class F>
bool Throws(F f, const char* named = nullptr) {
    try {
        f();
    } catch (const E& e) {
        return !named || std::strstr(e.what(), named);
    }
    return false;
}

}  // namespace

int main() {
    HANDLE threads[kThreads];
    for (HANDLE& t : threads) t = CreateThread(nullptr, 0, Worker, nullptr, 0, nullptr);
    Check(WaitForMultipleObjects(kThreads, threads, TRUE, 60000) == WAIT_OBJECT_0, "threads ended in time");
    for (HANDLE t : threads) {
        DWORD right = 0;
        GetExitCodeThread(t, &right);
        Check(right == kRounds, "each thread caught its own exceptions and kept its own count");
        CloseHandle(t);
    }
    Check(initialisations == 1, "the guarded static was made once");

    SetLastError(ERROR_FILE_NOT_FOUND);
    volatile int seen = thrown_here;
    Check(seen == 0 && GetLastError() == ERROR_FILE_NOT_FOUND, "thread-local data read keeps the last error");

    Check(Throws<ui::Error>([] { std::string s(Opaque(nullptr)); }, "null"),
          "a string from a null pointer is a command error naming the fault");
    Check(Throws<ui::Error>([] { std::string("abc").substr(std::strlen(Opaque("abcdef"))); }, "substr"),
          "an index out of range is a command error naming the fault");
    Check(Throws<ui::Error>(
              [] {
                  std::vector<int> v;
                  v.reserve(v.max_size() + std::strlen(Opaque("1")));
              },
              "reserve"),
          "a vector beyond its size is a command error naming the fault");
    std::printf(failures ? "%d check(s) failed\n" : "all checks passed\n", failures);
    return failures ? 1 : 0;
}
