#include "setup/setup_values.hpp"

#include <algorithm>

namespace obsc32 {

std::string DisplayVersionText(int version) {
    return std::to_string(version / 10) + "." + std::to_string(version % 10);
}

std::string VersionText(int version) { return " V" + DisplayVersionText(version); }

std::string UninstallCommand(const std::string& programPath) {
    const bool blank = programPath.find(' ') != std::string::npos;
    return (blank ? "\"" + programPath + "\"" : programPath) + " /uninstall";
}

std::string UninstallDisplayName(const std::string& longTitle, int version) {
    return "VANTE " + longTitle + VersionText(version);
}

std::array<std::string, 5> ProductFileNames(const std::string& code) {
    return {code + ".EXE", code + ".TXT", code + ".HLP", code + ".HTM", code + ".GID"};
}

std::string DefaultInstallFolder(const std::string& winDir, const std::string& code,
                                 const std::string& storedFolder) {
    if (!storedFolder.empty()) return storedFolder;
    return winDir.substr(0, 3) + "VERADO32\\" + code;
}

void ArrangeGroups(std::vector<std::string>& names) {
    // A reply that starts with a separator gives an empty name: no group is called that.
    names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
    auto vante = std::find(names.begin(), names.end(), kVanteGroup);
    if (vante != names.end()) {
        names.erase(vante);
        names.push_back(kVanteGroup);
    }
    auto vante32 = std::find(names.begin(), names.end(), kVanteGroup32);
    if (vante32 != names.end()) names.erase(vante32);
    names.push_back(kVanteGroup32);
}

int GroupRowToSelect(const std::vector<std::string>& rows, const std::string& storedGroup) {
    auto stored = std::find(rows.begin(), rows.end(), storedGroup);
    if (!storedGroup.empty() && stored != rows.end()) return static_cast<int>(stored - rows.begin());
    return static_cast<int>(rows.size()) - 1;
}

std::string CompletionText(const std::string& group) {
    return "登録完了です。\n\n[ " + group + " ]\nグループに登録しました☆☆\nお疲れ様☆☆";
}

}  // namespace obsc32
