#include "cover/cover_reach.hpp"

#include "settings/settings_store.hpp"
#include "shell/sjis_path.hpp"

namespace obsc32 {

void CoverReach::Start(HWND cover, HICON icon) {
    hotKey_.emplace(ReadStoredHotKey());
    const std::optional<HotKeyChord> key = hotKey_->Register(cover);
    prompter_.LetMessagesRun();
    tray_ = std::make_unique<TrayIcon>(cover, icon, SjisLeft(HotKeyTip("真っ黒すみかげ", key), 63));
    tray_->AddTrayIcon();
}

void CoverReach::Stop() {
    if (tray_) tray_->RemoveTrayIcon();
    if (hotKey_) hotKey_->Release();
    prompter_.LetMessagesRun();
    tray_.reset();
}

}  // namespace obsc32
