// The few POSIX thread calls the runtime makes (the unwinder's locks, exception memory, thread-local storage,
// guarded statics), made directly on Win32. The posix tool chain would otherwise link the whole thread
// library behind them, a tenth of the program. Linked into OBSC32.EXE only (its one other thread, the
// picker's drive scan, is started with CreateThread); the tests keep the real library. A new call from the
// runtime fails the link with a duplicate symbol, not silently.
#include <windows.h>
#include <errno.h>
#include <pthread.h>

namespace {

// A mutex word holds one of the library's static initialisers until first use, then its critical section.
bool IsInitialiser(pthread_mutex_t word) {
    return word == PTHREAD_MUTEX_INITIALIZER || word == PTHREAD_RECURSIVE_MUTEX_INITIALIZER ||
           word == PTHREAD_ERRORCHECK_MUTEX_INITIALIZER;
}

// Shared by every mutex whose own section could not be allocated: slower, still exclusive. No guarded
// static here: guarding one takes a mutex.
CRITICAL_SECTION fallback;
pthread_once_t fallback_once = 0;

void InitFallback() { InitializeCriticalSection(&fallback); }

CRITICAL_SECTION* Fallback() {
    pthread_once(&fallback_once, InitFallback);
    return &fallback;
}

CRITICAL_SECTION* SectionOf(pthread_mutex_t* m) {
    pthread_mutex_t word = *m;
    if (!IsInitialiser(word)) return reinterpret_cast<CRITICAL_SECTION*>(word);
    auto* fresh = static_cast<CRITICAL_SECTION*>(HeapAlloc(GetProcessHeap(), 0, sizeof(CRITICAL_SECTION)));
    if (!fresh) return Fallback();
    InitializeCriticalSection(fresh);
    auto seen = reinterpret_cast<pthread_mutex_t>(InterlockedCompareExchangePointer(
        reinterpret_cast<void* volatile*>(m), fresh, reinterpret_cast<void*>(word)));
    if (seen == word) return fresh;
    // Another thread set it up first.
    DeleteCriticalSection(fresh);
    HeapFree(GetProcessHeap(), 0, fresh);
    return reinterpret_cast<CRITICAL_SECTION*>(seen);
}

}  // namespace

extern "C" {

int pthread_mutex_init(pthread_mutex_t* m, const pthread_mutexattr_t*) {
    *m = PTHREAD_MUTEX_INITIALIZER;
    return 0;
}

int pthread_mutex_destroy(pthread_mutex_t* m) {
    pthread_mutex_t word = *m;
    *m = PTHREAD_MUTEX_INITIALIZER;
    if (IsInitialiser(word)) return 0;
    auto* section = reinterpret_cast<CRITICAL_SECTION*>(word);
    if (section == &fallback) return 0;
    DeleteCriticalSection(section);
    HeapFree(GetProcessHeap(), 0, section);
    return 0;
}

int pthread_mutex_lock(pthread_mutex_t* m) {
    EnterCriticalSection(SectionOf(m));
    return 0;
}

int pthread_mutex_unlock(pthread_mutex_t* m) {
    if (IsInitialiser(*m)) return EPERM;
    LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(*m));
    return 0;
}

// A waiter may wake without a signal, so it only has to let the signalling thread take the mutex; every
// caller waits in a loop on its own condition.
int pthread_cond_wait(pthread_cond_t*, pthread_mutex_t* m) {
    pthread_mutex_unlock(m);
    Sleep(1);
    return pthread_mutex_lock(m);
}

int pthread_cond_broadcast(pthread_cond_t*) { return 0; }

int pthread_once(pthread_once_t* once, void (*run)(void)) {
    enum : LONG { kNotRun = 0, kRunning = 1, kDone = 2 };
    if (InterlockedCompareExchange(once, kRunning, kNotRun) == kNotRun) {
        run();
        InterlockedExchange(once, kDone);
        return 0;
    }
    while (InterlockedCompareExchange(once, kDone, kDone) != kDone) Sleep(0);
    return 0;
}

// Destructors are not run at thread exit: the main thread's data ends with the process, and the drive scan
// keeps none unless it fails (then the few bytes of its exception's bookkeeping stay behind).
int pthread_key_create(pthread_key_t* key, void (*)(void*)) {
    DWORD index = TlsAlloc();
    if (index == TLS_OUT_OF_INDEXES) return EAGAIN;
    *key = index;
    return 0;
}

// Reading thread-local data must not disturb the last error of the call before it.
void* pthread_getspecific(pthread_key_t key) {
    DWORD error = GetLastError();
    void* value = TlsGetValue(key);
    SetLastError(error);
    return value;
}

int pthread_setspecific(pthread_key_t key, const void* value) {
    DWORD error = GetLastError();
    BOOL ok = TlsSetValue(key, const_cast<void*>(value));
    SetLastError(error);
    return ok ? 0 : ENOMEM;
}

}  // extern "C"
