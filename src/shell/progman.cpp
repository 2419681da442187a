#include "shell/progman.hpp"

#include "shell/progman_commands.hpp"
#include "ui/scope_guard.hpp"

namespace obsc32 {

std::string ProgmanExecute(const std::string& cmd, ui::DdeClientConv& conv) {
    // Wide first, so that any name arrives whole; a server that refuses it (Wine's, for any text past ASCII)
    // gets it again in the system's code page, as an older server reads it.
    conv.SetLink("PROGMAN", "PROGMAN");
    conv.SetWide(true);
    ui::ScopeGuard close([&] {
        conv.CloseLink();
        conv.SetWide(false);
    });
    if (!conv.OpenLink()) return kProgmanOpenFailed;
    switch (conv.ExecuteMacroWaiting(cmd, kExecuteTimeoutMs)) {
        case ui::DdeClientConv::Outcome::Done:
        case ui::DdeClientConv::Outcome::Busy: return {};
        case ui::DdeClientConv::Outcome::Failed: return kProgmanSendFailed;
        case ui::DdeClientConv::Outcome::Refused: break;
    }
    conv.SetWide(false);
    if (!conv.OpenLink()) return kProgmanOpenFailed;
    if (!conv.ExecuteMacro(cmd)) return kProgmanSendFailed;
    return {};
}

std::vector<std::string> RequestGroups(ui::DdeClientConv& conv) {
    std::optional<std::string> reply = conv.RequestData("GROUPS", kGroupsTimeoutMs);
    if (!reply) return {};
    return SplitGroupsReply(reply->data(), reply->size());
}

}  // namespace obsc32
