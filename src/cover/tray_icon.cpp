#include "cover/tray_icon.hpp"

#include <algorithm>

#include "ui/component.hpp"
#include "ui/startup_trace.hpp"
#include "ui/wide.hpp"

namespace obsc32 {

TrayIcon::TrayIcon(HWND wnd, HICON icon, const std::string& tip) {
    record_.cbSize = kRecordSize;
    record_.hWnd = wnd;
    record_.uID = 0;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | (tip.empty() ? 0 : NIF_TIP);
    record_.uCallbackMessage = WM_TRAY_NOTIFY;
    record_.hIcon = icon;
    // szTip of the first record holds 63 characters and the terminator; a pair of halves stays whole.
    const std::wstring wide = ui::Wide(tip);
    size_t n = std::min<size_t>(wide.size(), 63);
    if (n < wide.size() && IS_HIGH_SURROGATE(wide[n - 1])) --n;
    wide.copy(record_.szTip, n);
}

void TrayIcon::AddTrayIcon() {
    if (!Shell_NotifyIconW(NIM_ADD, &record_)) throw ui::Error("タスクトレイに登録できません");
    trayAdded_ = -1;
    ui::TraceStep("tray icon added");
}

void TrayIcon::RemoveTrayIcon() {
    if (trayAdded_) Shell_NotifyIconW(NIM_DELETE, &record_);
    trayAdded_ = 0;
}

}  // namespace obsc32
