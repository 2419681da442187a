// What the install and the uninstall do to files and folders, each a single call of the system; false
// when the system refused.
#pragma once
#include <string>

namespace obsc32 {

bool MakeFolder(const std::string& path);
bool RemoveFolder(const std::string& path);
// Whether the folder exists: it can be made the current folder, which it then is.
bool EnterFolder(const std::string& path);
// Overwrites a file already at `to`.
bool CopyFileOver(const std::string& from, const std::string& to);
bool DeleteFileAt(const std::string& path);
// Starts a program from a command line as the shell would, shown.
bool StartProgram(const std::string& commandLine);

}  // namespace obsc32
