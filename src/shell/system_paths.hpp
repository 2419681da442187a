// The system's paths: the running program, the Windows folder, and a path in the system's full form.
#pragma once
#include <optional>
#include <string>

namespace obsc32 {

// The running program's full path, however long.
std::string ProgramPath();
// The Windows folder, ending in "\".
std::string WindowsFolder();
// The full path of `path`, relative to the current folder as the system resolves it; none when the system
// can make no path of it (an empty or over-long text).
std::optional<std::string> FullPath(const std::string& path);

}  // namespace obsc32
