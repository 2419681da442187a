#include "shell/system_paths.hpp"

#include <windows.h>

#include "shell/path_text.hpp"

namespace obsc32 {

std::string ProgramPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string WindowsFolder() {
    char buffer[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
    return YenAdd(n < sizeof buffer ? std::string(buffer, n) : std::string());
}

std::string TempFolder() {
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(sizeof buffer, buffer);
    return n > 0 && n < sizeof buffer ? YenAdd(std::string(buffer, n)) : std::string();
}

std::optional<std::string> FullPath(const std::string& path) {
    if (path.empty()) return std::nullopt;
    DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return std::nullopt;
    std::string full(size, '\0');
    DWORD n = GetFullPathNameA(path.c_str(), size, full.data(), nullptr);
    if (n == 0 || n >= size) return std::nullopt;
    full.resize(n);
    return full;
}

std::optional<std::string> ResolvedPath(const std::string& path) {
    std::optional<std::string> full = FullPath(path);
    if (!full) return std::nullopt;
    std::string resolved = DropTrailingDotsAndBlanks(*full);
    DWORD size = GetLongPathNameA(resolved.c_str(), nullptr, 0);
    if (size == 0) return resolved;  // not there (yet): its spelling is all there is
    std::string longer(size, '\0');
    DWORD n = GetLongPathNameA(resolved.c_str(), longer.data(), size);
    if (n == 0 || n >= size) return resolved;
    longer.resize(n);
    return longer;
}

}  // namespace obsc32
