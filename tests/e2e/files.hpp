// What the program leaves in the file system and the shell's folders, read as the shell reads it.
#pragma once
#include <windows.h>

#include <string>

#include "common/files.hpp"

namespace e2e {

// A folder of Explorer's "Shell Folders" (Programs, Startup, Desktop...).
std::string ShellFolder(const char* name);
bool Exists(const std::string& path);
// The bytes of a file; "<none>" when it cannot be read.
std::string FileBytes(const std::string& path);
// Where a shortcut file points.
std::string ShortcutTarget(const std::string& file);
using testing_common::CloseGroupWindows;
using testing_common::GroupWindowsShown;
using testing_common::RemoveTree;

}  // namespace e2e
