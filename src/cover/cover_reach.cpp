#include "cover/cover_reach.hpp"

#include "settings/settings_store.hpp"
#include "shell/path_text.hpp"
#include "ui/component.hpp"

namespace obsc32 {

void CoverReach::Start(HWND cover, HICON icon) {
    hotKey_.emplace(ReadStoredHotKey());
    const std::optional<HotKeyChord> key = hotKey_->Register(cover);
    prompter_.LetMessagesRun();
    tray_ = std::make_unique<TrayIcon>(cover, icon, ShownLeft(HotKeyTip("真っ黒すみかげ", key), 63));
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // A cover run as administrator hears the shell, which is not, only when it lets the message in. Looked
    // up, not imported: older systems have no such filter.
    using AllowMessage = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    if (const auto allow = reinterpret_cast<AllowMessage>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx"))))
        allow(cover, taskbarCreated_, 1 /* MSGFLT_ALLOW */, nullptr);
    tray_->AddTrayIcon();
}

void CoverReach::ShellRestarted() {
    if (!tray_) return;
    try {
        tray_->AddTrayIcon();
    } catch (const ui::Error& e) {
        // Only the key reaches a hidden cover now: the person is told so, as at the start.
        prompter_.Beep(0xFFFFFFFF);
        prompter_.TellTimed(e.what(), 0);
    }
}

void CoverReach::Stop() {
    if (tray_) tray_->RemoveTrayIcon();
    if (hotKey_) hotKey_->Release();
    prompter_.LetMessagesRun();
    tray_.reset();
}

}  // namespace obsc32
