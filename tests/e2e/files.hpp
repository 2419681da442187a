// What the program leaves in the file system and the shell's folders, read as the shell reads it.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// A folder of Explorer's "Shell Folders" (Programs, Startup, Desktop...).
std::string ShellFolder(const char* name);
bool Exists(const std::string& path);
// The bytes of a file; "<none>" when it cannot be read.
std::string FileBytes(const std::string& path);
// Where a shortcut file points.
std::string ShortcutTarget(const std::string& file);
// Removes a folder with everything in it.
void RemoveTree(const std::string& path);
// Ends the folder windows Program Manager opens for each group it is told to create; under Wine their
// processes outlive them.
void CloseGroupWindows();

}  // namespace e2e
