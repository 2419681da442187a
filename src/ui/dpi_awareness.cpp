#include "ui/dpi_awareness.hpp"

namespace ui {

namespace {
using SetThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

// Looked up, not imported: the program still starts where user32 lacks it.
SetThreadContext SetThreadDpiContext() {
    static const auto set = reinterpret_cast<SetThreadContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    return set;
}
}  // namespace

DpiAwarenessScope::DpiAwarenessScope(Kind kind) {
    SetThreadContext set = SetThreadDpiContext();
    if (kind != PerMonitor || !set) return;
    // The second version came with Windows 10 1703 (Wine 8 refuses it too); the first scales no frames or
    // menus, of which the cover has none.
    previous_ = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    if (!previous_) previous_ = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

DpiAwarenessScope::DpiAwarenessScope(DPI_AWARENESS_CONTEXT context) {
    SetThreadContext set = SetThreadDpiContext();
    if (context && set) previous_ = set(context);
}

DpiAwarenessScope::~DpiAwarenessScope() {
    if (previous_) SetThreadDpiContext()(previous_);
}

}  // namespace ui
