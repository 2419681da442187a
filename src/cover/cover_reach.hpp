// How a person reaches the cover while it is hidden: its icon in the tray and its global key. Both are the
// cover window's, from its creation until its close.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "cover/cover_hot_key.hpp"
#include "cover/tray_icon.hpp"
#include "ui/prompter.hpp"

namespace obsc32 {

class CoverReach {
public:
    explicit CoverReach(ui::Prompter& prompter) : prompter_(prompter) {}

    // The stored key registered, then the icon put in the tray with the key in its tip; throws ui::Error
    // when the shell refuses the icon.
    void Start(HWND cover, HICON icon);
    // Whether a WM_HOTKEY is the cover's key.
    bool IsKey(WPARAM id) const { return hotKey_ && id == CoverHotKey::kId; }
    // The notice owed about the key, once; "" when none is.
    std::string TakeNotice() { return hotKey_ ? hotKey_->TakeNotice() : std::string(); }
    // Whether a message is the shell's word that it has started again with an empty tray.
    bool IsShellRestart(UINT msg) const { return msg != 0 && msg == taskbarCreated_; }
    // The icon back in the new tray; the key, the system's, was never let go. A refusal is told.
    void ShellRestarted();
    // The icon out of the tray and the key let go, at the close.
    void Stop();
    // The key's text the close writes back, if any.
    std::optional<std::string> KeyWritten() const { return hotKey_ ? hotKey_->Written() : std::nullopt; }

private:
    ui::Prompter& prompter_;
    std::optional<CoverHotKey> hotKey_;
    std::unique_ptr<TrayIcon> tray_;
    UINT taskbarCreated_ = 0;
};

}  // namespace obsc32
