// Questions about files on disk: whether one is there, what it is, whether two hold the same bytes.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace obsc32 {

// Program files are small; anything past this is not one of ours.
inline constexpr uint64_t kMaxProgramBytes = 64 << 20;

// A file, not a folder, is there.
bool FileExists(const std::string& path);
// A file or folder that is a reparse point (a junction, a symbolic link): the path goes elsewhere.
bool IsReparsePoint(const std::string& path);
// The root of a volume (C:\\, a share's root, a mounted folder).
bool IsVolumeRoot(const std::string& path);
// A file's size in bytes; none when it cannot be read.
std::optional<unsigned long long> FileSize(const std::string& path);
// True when both files can be read and hold the same bytes.
bool SameFileBytes(const std::string& a, const std::string& b);

}  // namespace obsc32
