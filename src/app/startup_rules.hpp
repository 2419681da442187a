// How a run decides its role and what it hands to a running cover.
#pragma once
#include <string>
#include <vector>

namespace obsc32 {

// "unin_vante" + the last three digits of ("000" + number) + ".exe".
std::string BuildUninstallerName(int number);

// The role from the first argument ("/uninstall", exactly) and the executable's lower-cased file name.
int ClassifyStartMode(const std::vector<std::string>& args, const std::string& lowerExeName,
                      const std::string& uninstallerName);

// Arguments 1..n joined with "?", none before or after.
std::string ForwardedArgumentText(const std::vector<std::string>& args);

// A global atom holds at most this many bytes of text.
inline constexpr size_t kMaxAtomText = 255;

// The file name part of a path (after the last real backslash, or ':' or '/').
std::string FileNamePart(const std::string& path);
// The folder part of a path, with its trailing separator.
std::string FolderPart(const std::string& path);

}  // namespace obsc32
