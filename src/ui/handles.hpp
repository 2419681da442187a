// Move-only owners of the raw Win32 handles the program uses; each releases with the matching call.
#pragma once
#include <windows.h>

#include <utility>

namespace ui {

template <typename H, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.h_, H{}));
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    H Get() const { return h_; }
    explicit operator bool() const { return h_ != H{}; }
    [[nodiscard]] H Release() { return std::exchange(h_, H{}); }
    void Reset(H h = H{}) {
        if (h_ != H{}) Traits::Close(h_);
        h_ = h;
    }

private:
    H h_{};
};

struct KeyTraits {
    static void Close(HKEY h) { RegCloseKey(h); }
};
struct MenuTraits {
    static void Close(HMENU h) { DestroyMenu(h); }
};
struct GdiTraits {
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct IconTraits {
    static void Close(HICON h) { DestroyIcon(h); }
};
struct MemoryDcTraits {
    static void Close(HDC h) { DeleteDC(h); }
};
struct AtomTraits {
    static void Close(ATOM a) { GlobalDeleteAtom(a); }
};
struct KernelTraits {
    static void Close(HANDLE h) { CloseHandle(h); }
};

using Key = UniqueHandle<HKEY, KeyTraits>;
using Menu = UniqueHandle<HMENU, MenuTraits>;
using Bitmap = UniqueHandle<HBITMAP, GdiTraits>;
using Brush = UniqueHandle<HBRUSH, GdiTraits>;
using Font = UniqueHandle<HFONT, GdiTraits>;
using Icon = UniqueHandle<HICON, IconTraits>;
using MemoryDC = UniqueHandle<HDC, MemoryDcTraits>;
using GlobalAtom = UniqueHandle<ATOM, AtomTraits>;
using KernelHandle = UniqueHandle<HANDLE, KernelTraits>;

// A DC from GetDC: it must go back to the window it came from, so it remembers that window.
class WindowDC {
public:
    [[nodiscard]] static WindowDC Of(HWND wnd) { return WindowDC(wnd, GetDC(wnd)); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    WindowDC(WindowDC&& o) noexcept : wnd_(o.wnd_), dc_(std::exchange(o.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&& o) noexcept {
        if (this != &o) {
            Reset();
            wnd_ = o.wnd_;
            dc_ = std::exchange(o.dc_, nullptr);
        }
        return *this;
    }
    ~WindowDC() { Reset(); }

    HDC Get() const { return dc_; }
    HWND Window() const { return wnd_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    WindowDC(HWND wnd, HDC dc) : wnd_(wnd), dc_(dc) {}
    void Reset() {
        if (dc_) ReleaseDC(wnd_, std::exchange(dc_, nullptr));
    }
    HWND wnd_ = nullptr;
    HDC dc_ = nullptr;
};

// Selects an object into a DC for a scope and puts the old one back.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;
    ~SelectObjectScope() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace ui
