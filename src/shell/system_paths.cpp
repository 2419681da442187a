#include "shell/system_paths.hpp"

#include <windows.h>

#include "shell/path_text.hpp"
#include "ui/wide.hpp"

namespace obsc32 {

std::string ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return ui::NarrowExact(path).value_or(std::string());
        }
        path.resize(path.size() * 2);
    }
}

std::string WindowsFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    return YenAdd(n <= MAX_PATH ? ui::NarrowExact({buffer, n}).value_or(std::string()) : std::string());
}

std::string TempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    std::optional<std::string> folder = n > 0 && n <= MAX_PATH ? ui::NarrowExact({buffer, n}) : std::nullopt;
    return folder ? YenAdd(*folder) : std::string();
}

std::optional<std::string> FullPath(const std::string& path) {
    const std::wstring wide = ui::WidePath(path);
    if (wide.empty()) return std::nullopt;
    DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) return std::nullopt;
    std::wstring full(size, L'\0');
    DWORD n = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (n == 0 || n >= size) return std::nullopt;
    full.resize(n);
    return ui::NarrowExact(full);
}

std::optional<std::string> ResolvedPath(const std::string& path) {
    std::optional<std::string> full = FullPath(path);
    if (!full) return std::nullopt;
    std::string resolved = DropTrailingDotsAndBlanks(*full);
    const std::wstring wide = ui::WidePath(resolved);
    DWORD size = GetLongPathNameW(wide.c_str(), nullptr, 0);
    if (size == 0) return resolved;  // not there (yet): its spelling is all there is
    std::wstring longer(size, L'\0');
    DWORD n = GetLongPathNameW(wide.c_str(), longer.data(), size);
    if (n == 0 || n >= size) return resolved;
    longer.resize(n);
    // A long name the program's texts cannot hold: the spelling given still leads there.
    return ui::NarrowExact(longer).value_or(resolved);
}

}  // namespace obsc32
