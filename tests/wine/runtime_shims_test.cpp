// The program's own thread primitives and library failure reports, in a program of their own: the tests'
// GoogleTest starts threads and needs the real thread library, which these replace. Several threads throw,
// catch, keep thread-local data and race to one guarded static at once, as the runtime's locks must bear.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "ui/component.hpp"

namespace {

constexpr int kThreads = 6;
constexpr int kRounds = 3000;

int failures = 0;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::printf("FAILED: %s\n", what);
        ++failures;
    }
}

std::atomic<int> initialisations{0};

int SlowStatic() {
    static const int value = [] {
        ++initialisations;
        Sleep(50);  // long enough for every thread to arrive while it is made
        return 42;
    }();
    return value;
}

thread_local int thrown_here = 0;

struct ThreadResult {
    int caught = 0;
    int own_count = 0;
    int static_value = 0;
    bool texts_right = true;
};

DWORD WINAPI Worker(void* param) {
    auto* result = static_cast<ThreadResult*>(param);
    result->static_value = SlowStatic();
    for (int i = 0; i < kRounds; ++i) {
        try {
            ++thrown_here;
            throw ui::Error("round " + std::to_string(i));
        } catch (const ui::Error& e) {
            ++result->caught;
            if (std::string(e.what()) != "round " + std::to_string(i)) result->texts_right = false;
        }
    }
    result->own_count = thrown_here;
    return 0;
}

void ThreadsThrowAndKeepTheirOwnData() {
    ThreadResult results[kThreads];
    HANDLE threads[kThreads];
    for (int i = 0; i < kThreads; ++i) threads[i] = CreateThread(nullptr, 0, Worker, &results[i], 0, nullptr);
    Check(WaitForMultipleObjects(kThreads, threads, TRUE, 60000) == WAIT_OBJECT_0, "threads ended in time");
    for (HANDLE t : threads) CloseHandle(t);
    for (const ThreadResult& r : results) {
        Check(r.caught == kRounds, "every exception caught in its thread");
        Check(r.texts_right, "each exception kept its own text");
        Check(r.own_count == kRounds, "thread-local counts are per thread");
        Check(r.static_value == 42, "the guarded static was ready for every thread");
    }
    Check(initialisations == 1, "the guarded static was made once");
    Check(thrown_here == 0, "the main thread's thread-local data untouched");
}

void ThreadLocalReadKeepsLastError() {
    SetLastError(ERROR_FILE_NOT_FOUND);
    volatile int seen = thrown_here;
    (void)seen;
    Check(GetLastError() == ERROR_FILE_NOT_FOUND, "reading thread-local data keeps the last error");
}

const char* Opaque(const char* p) {
    volatile const char* q = p;
    return const_cast<const char*>(q);
}

void LibraryFailuresArriveAsErrors() {
    bool caught = false;
    try {
        std::string from_null(Opaque(nullptr));
    } catch (const ui::Error& e) {
        caught = std::strstr(e.what(), "null") != nullptr;
    }
    Check(caught, "a string from a null pointer is a command error naming the fault");

    caught = false;
    try {
        std::string text = "abc";
        std::string tail = text.substr(std::string(Opaque("abcdef")).size());
    } catch (const ui::Error& e) {
        caught = std::strstr(e.what(), "substr") != nullptr;
    }
    Check(caught, "an index out of range is a command error naming the fault");

    caught = false;
    try {
        std::vector<int> numbers;
        numbers.reserve(numbers.max_size() + std::strlen(Opaque("1")));
    } catch (const std::bad_alloc&) {
        caught = true;
    }
    Check(caught, "a vector beyond its size is out of memory");
}

}  // namespace

int main() {
    ThreadsThrowAndKeepTheirOwnData();
    ThreadLocalReadKeepsLastError();
    LibraryFailuresArriveAsErrors();
    std::printf(failures ? "%d check(s) failed\n" : "all checks passed\n", failures);
    return failures ? 1 : 0;
}
