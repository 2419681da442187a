#include "cover/tray_icon.hpp"

#include <cstring>

#include "ui/component.hpp"
#include "ui/startup_trace.hpp"

namespace obsc32 {

static_assert(NOTIFYICONDATAA_V1_SIZE == TrayIcon::kRecordSize);

TrayIcon::TrayIcon(HWND wnd, HICON icon, const std::string& tip) {
    record_.cbSize = kRecordSize;
    record_.hWnd = wnd;
    record_.uID = 0;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | (tip.empty() ? 0 : NIF_TIP);
    record_.uCallbackMessage = WM_TRAY_NOTIFY;
    record_.hIcon = icon;
    // szTip of the 88-byte record holds 64 bytes with the terminator.
    std::strncpy(record_.szTip, tip.c_str(), 63);
}

void TrayIcon::AddTrayIcon() {
    if (!Shell_NotifyIconA(NIM_ADD, &record_)) throw ui::Error("タスクトレイに登録できません");
    trayAdded_ = -1;
    ui::TraceStep("tray icon added");
}

void TrayIcon::RemoveTrayIcon() {
    if (trayAdded_) Shell_NotifyIconA(NIM_DELETE, &record_);
    trayAdded_ = 0;
}

}  // namespace obsc32
