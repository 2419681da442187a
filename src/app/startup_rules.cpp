#include "app/startup_rules.hpp"

#include <algorithm>

#include "app/product.hpp"
#include "shell/sjis_path.hpp"

namespace obsc32 {

std::string BuildUninstallerName(int number) {
    std::string digits = "000" + std::to_string(number);
    return "unin_vante" + digits.substr(digits.size() - 3) + ".exe";
}

int ClassifyStartMode(const std::vector<std::string>& args, const std::string& lowerExeName,
                      const std::string& uninstallerName) {
    if (!args.empty() && args[0] == "/uninstall") return kStartUninstall1;
    if (lowerExeName == uninstallerName) return kStartUninstall2;
    return kStartNormal;
}

std::string ForwardedArgumentText(const std::vector<std::string>& args) {
    std::string text;
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) text += '?';
        text += args[i];
    }
    return text;
}

namespace {
// Index just past the last separator, skipping the second bytes of double-byte characters.
size_t NameStart(const std::string& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(c)) {
            ++i;
        } else if (c == '\\' || c == '/' || c == ':') {
            start = i + 1;
        }
    }
    return start;
}
}  // namespace

std::string FileNamePart(const std::string& path) { return path.substr(std::min(NameStart(path), path.size())); }

std::string FolderPart(const std::string& path) { return path.substr(0, std::min(NameStart(path), path.size())); }

}  // namespace obsc32
