// The system's paths: the running program, the Windows folder, and a path in the system's full form.
#pragma once
#include <optional>
#include <string>

namespace obsc32 {

// The running program's full path, however long; "" when the program's texts cannot hold it.
std::string ProgramPath();
// The Windows folder, ending in "\".
std::string WindowsFolder();
// The user's temporary folder, ending in "\".
std::string TempFolder();
// The full path of `path`, relative to the current folder as the system resolves it; none when the system
// can make no path of it (an empty or over-long text).
std::optional<std::string> FullPath(const std::string& path);
// The path the system opens for `path`: in full, its last part without the dots and blanks the system drops
// there, and in the parts' long names where they exist. Spellings that lead to one place come out alike.
std::optional<std::string> ResolvedPath(const std::string& path);

}  // namespace obsc32
