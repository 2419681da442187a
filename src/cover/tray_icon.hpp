// The cover's icon in the taskbar's notification area.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "cover/cover_view.hpp"

namespace obsc32 {

inline constexpr UINT WM_TRAY_NOTIFY = WM_USER + 102;

// The button a tray callback's mouse message went down with.
inline TrayButton ButtonOf(LPARAM mouseMessage) {
    return mouseMessage == WM_LBUTTONDOWN   ? TrayButton::Left
           : mouseMessage == WM_RBUTTONDOWN ? TrayButton::Right
                                            : TrayButton::Other;
}

class TrayIcon {
public:
    // The record is the first form of NOTIFYICONDATAW, which every shell accepts.
    static constexpr DWORD kRecordSize = NOTIFYICONDATAW_V1_SIZE;

    TrayIcon(HWND wnd, HICON icon, const std::string& tip);
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { RemoveTrayIcon(); }

    // Throws ui::Error("タスクトレイに登録できません") when the shell refuses the icon.
    void AddTrayIcon();
    void RemoveTrayIcon();

private:
    NOTIFYICONDATAW record_{};
    int trayAdded_ = 0;
};

}  // namespace obsc32
