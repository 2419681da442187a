#include "shell/program_file.hpp"

#include <windows.h>

#include <cstring>

#include "shell/path_text.hpp"
#include "shell/whole_file.hpp"
#include "ui/wide.hpp"

namespace obsc32 {

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(ui::WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsReparsePoint(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(ui::WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsVolumeRoot(const std::string& path) {
    const std::wstring wide = ui::WidePath(path);
    std::wstring volume(wide.size() + 2, L'\0');
    if (!GetVolumePathNameW(wide.c_str(), volume.data(), static_cast<DWORD>(volume.size()))) return false;
    volume.resize(wcsnlen(volume.c_str(), volume.size()));
    return AsciiCase(YenAdd(ui::Narrow(volume)), false) == AsciiCase(YenAdd(path), false);
}

std::optional<unsigned long long> FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(ui::WidePath(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool SameFileBytes(const std::string& a, const std::string& b) {
    const auto first = ReadWholeFile(a, kMaxProgramBytes);
    const auto second = first ? ReadWholeFile(b, kMaxProgramBytes) : std::nullopt;
    return second && *first == *second;
}

}  // namespace obsc32
