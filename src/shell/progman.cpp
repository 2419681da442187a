#include "shell/progman.hpp"

#include "shell/progman_commands.hpp"
#include "ui/scope_guard.hpp"

namespace obsc32 {

std::string ProgmanExecute(const std::string& cmd, ui::DdeClientConv& conv) {
    conv.SetLink("PROGMAN", "PROGMAN");
    ui::ScopeGuard close([&] { conv.CloseLink(); });
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
