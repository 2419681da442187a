#include "ui/modal_loop.hpp"

#include "ui/form.hpp"

namespace ui {

ModalLoop::ModalLoop(HWND modal) : active_(GetActiveWindow()), modal_(modal) {
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK ModalLoop::DisableOne(HWND wnd, LPARAM lp) {
    auto* loop = reinterpret_cast<ModalLoop*>(lp);
    if (wnd != loop->modal_ && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
        EnableWindow(wnd, FALSE);
        loop->disabled_.push_back(wnd);
    }
    return TRUE;
}

bool ModalLoop::Run(const std::function<bool()>& done) {
    MSG msg;
    while (!done()) {
        BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0 || r == -1) {
            // The program is ending: let the outer loop see the quit too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (Form::PreTranslateKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void ModalLoop::EnableOthers() {
    for (HWND w : disabled_)
        if (IsWindow(w)) EnableWindow(w, TRUE);
}

void ModalLoop::Reactivate() {
    if (active_ && IsWindow(active_)) SetActiveWindow(active_);
}

}  // namespace ui
