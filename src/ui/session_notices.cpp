#include "ui/session_notices.hpp"

#include <wtsapi32.h>

#include <string>

namespace ui {

namespace {
// Looked up, not linked: the library is loaded only once a window asks.
template <typename Fn>
Fn WtsFunction(HMODULE library, const char* name) {
    return library ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}
}  // namespace

bool SessionNotices::Start(HWND window) {
    Stop();
    // Loaded on first need, and by its full path: the search may still start in the program's folder, which
    // any user can write to on a system without SetDefaultDllDirectories.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    library_.Reset(LoadLibraryExW((std::wstring(folder, length) + L"\\wtsapi32.dll").c_str(), nullptr,
                                  LOAD_WITH_ALTERED_SEARCH_PATH));
    const auto registerFn = WtsFunction<decltype(&WTSRegisterSessionNotification)>(
        library_.Get(), "WTSRegisterSessionNotification");
    if (!registerFn || !registerFn(window, NOTIFY_FOR_THIS_SESSION)) {
        library_.Reset();
        return false;
    }
    window_ = window;
    return true;
}

void SessionNotices::Stop() {
    if (window_) {
        const auto unregisterFn = WtsFunction<decltype(&WTSUnRegisterSessionNotification)>(
            library_.Get(), "WTSUnRegisterSessionNotification");
        if (unregisterFn) unregisterFn(window_);
        window_ = nullptr;
    }
    library_.Reset();
}

}  // namespace ui
