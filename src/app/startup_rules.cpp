#include "app/startup_rules.hpp"

namespace obsc32 {

StartModes ClassifyStartMode(const std::vector<std::string>& args, const std::string& lowerExeName,
                             const std::string& uninstallerName) {
    if (!args.empty() && args[0] == "/uninstall") return StartModes::Uninstall1;
    if (lowerExeName == uninstallerName) return StartModes::Uninstall2;
    return StartModes::Normal;
}

std::string ForwardedArgumentText(const std::vector<std::string>& args) {
    std::string text;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i) text += '?';
        text += args[i];
    }
    return text;
}

}  // namespace obsc32
