// A system-wide key registered for a window, unregistered when the owner goes. Move-only.
#pragma once
#include <windows.h>

#include <utility>

namespace ui {

class HotKey {
public:
    HotKey() = default;
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;
    HotKey(HotKey&& o) noexcept : wnd_(std::exchange(o.wnd_, nullptr)), id_(o.id_) {}
    HotKey& operator=(HotKey&& o) noexcept {
        if (this != &o) {
            Reset();
            wnd_ = std::exchange(o.wnd_, nullptr);
            id_ = o.id_;
        }
        return *this;
    }
    ~HotKey() { Reset(); }

    // The key for `wnd`, whose queue gets WM_HOTKEY with `id`; a held key does not repeat. Returns the
    // platform's status: ERROR_HOTKEY_ALREADY_REGISTERED when another program holds it.
    [[nodiscard]] DWORD Register(HWND wnd, int id, UINT modifiers, UINT key);
    bool Registered() const { return wnd_ != nullptr; }
    void Reset();

private:
    HWND wnd_ = nullptr;
    int id_ = 0;
};

}  // namespace ui
