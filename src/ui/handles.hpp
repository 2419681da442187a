// Move-only owners of the raw Win32 handles the program uses; each releases with the matching call.
#pragma once
#include <windows.h>

#include <utility>

namespace ui {

// Traits name the release call and, where it is not null, the value that means "no handle".
template <typename H>
struct NullIsEmpty {
    static H Empty() { return H{}; }
};

template <typename H, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Empty())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.h_, Empty()));
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    H Get() const { return h_; }
    explicit operator bool() const { return h_ != Empty(); }
    [[nodiscard]] H Release() { return std::exchange(h_, Empty()); }
    void Reset(H h = Empty()) {
        if (h_ != Empty()) Traits::Close(h_);
        h_ = h;
    }

private:
    static H Empty() { return static_cast<H>(Traits::Empty()); }
    H h_ = Empty();
};

struct KeyTraits : NullIsEmpty<HKEY> {
    static void Close(HKEY h) { RegCloseKey(h); }
};
struct MenuTraits : NullIsEmpty<HMENU> {
    static void Close(HMENU h) { DestroyMenu(h); }
};
struct GdiTraits : NullIsEmpty<HGDIOBJ> {
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct IconTraits : NullIsEmpty<HICON> {
    static void Close(HICON h) { DestroyIcon(h); }
};
struct MemoryDcTraits : NullIsEmpty<HDC> {
    static void Close(HDC h) { DeleteDC(h); }
};
struct AtomTraits : NullIsEmpty<ATOM> {
    static void Close(ATOM a) { GlobalDeleteAtom(a); }
};
struct KernelTraits : NullIsEmpty<HANDLE> {
    static void Close(HANDLE h) { CloseHandle(h); }
};

struct ModuleTraits : NullIsEmpty<HMODULE> {
    static void Close(HMODULE h) { FreeLibrary(h); }
};

using Key = UniqueHandle<HKEY, KeyTraits>;
using Menu = UniqueHandle<HMENU, MenuTraits>;
using Bitmap = UniqueHandle<HBITMAP, GdiTraits>;
using Brush = UniqueHandle<HBRUSH, GdiTraits>;
using Font = UniqueHandle<HFONT, GdiTraits>;
using Region = UniqueHandle<HRGN, GdiTraits>;
using Icon = UniqueHandle<HICON, IconTraits>;
using MemoryDC = UniqueHandle<HDC, MemoryDcTraits>;
using GlobalAtom = UniqueHandle<ATOM, AtomTraits>;
using KernelHandle = UniqueHandle<HANDLE, KernelTraits>;
using Module = UniqueHandle<HMODULE, ModuleTraits>;
// CreateFile's failure is INVALID_HANDLE_VALUE, not null.
struct FileTraits {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
using FileHandle = UniqueHandle<HANDLE, FileTraits>;
// A directory search from FindFirstFile: its failure is INVALID_HANDLE_VALUE and FindClose ends it.
struct FindTraits {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};
using FindHandle = UniqueHandle<HANDLE, FindTraits>;

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
