#include "setup/program_to_delete.hpp"

#include <algorithm>
#include <vector>

#include "setup/uninstall_values.hpp"
#include "shell/path_text.hpp"
#include "shell/program_file.hpp"
#include "shell/system_paths.hpp"

namespace obsc32 {

std::optional<std::string> ResolvedHandOverFile(const std::string& handed) {
    if (!IsUsableHandOverFile(handed)) return std::nullopt;
    std::optional<std::string> resolved = ResolvedPath(handed);
    if (!resolved || !IsUsableHandOverFile(*resolved)) return std::nullopt;
    return resolved;
}

bool GoesThroughReparsePoint(const std::string& path) {
    std::vector<std::string> levels;
    YenLevels(YenAdd(path), levels);
    return std::any_of(levels.begin(), levels.end(),
                       [](const std::string& level) { return IsReparsePoint(level); });
}

}  // namespace obsc32
