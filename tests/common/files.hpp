// Files and folders as tests and benchmarks make, read and clear them, and the shell's folders.
#pragma once
#include <string>

namespace testing_common {

bool Exists(const std::string& path);
// The bytes of a file; "<none>" when it cannot be read.
std::string FileBytes(const std::string& path);
// Removes a folder with everything in it.
void RemoveTree(const std::string& folder);
// A folder of Explorer's "Shell Folders" (Programs, Startup, Desktop...).
std::string ShellFolder(const char* name);
// Where a shortcut file points, read as the shell reads it; empty when it cannot be.
std::string ShortcutTarget(const std::string& file);

}  // namespace testing_common
