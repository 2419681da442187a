#include "shell/program_file.hpp"

#include <windows.h>

#include <cstring>

#include "shell/path_text.hpp"
#include "shell/whole_file.hpp"

namespace obsc32 {

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsReparsePoint(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsVolumeRoot(const std::string& path) {
    std::string volume(path.size() + 2, '\0');
    if (!GetVolumePathNameA(path.c_str(), volume.data(), static_cast<DWORD>(volume.size()))) return false;
    volume.resize(strnlen(volume.c_str(), volume.size()));
    return AsciiCase(YenAdd(volume), false) == AsciiCase(YenAdd(path), false);
}

std::optional<unsigned long long> FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool SameFileBytes(const std::string& a, const std::string& b) {
    const auto first = ReadWholeFile(a, kMaxProgramBytes);
    const auto second = first ? ReadWholeFile(b, kMaxProgramBytes) : std::nullopt;
    return second && *first == *second;
}

}  // namespace obsc32
