#include "shell/files.hpp"

#include <windows.h>

namespace obsc32 {

bool MakeFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != FALSE; }

bool RemoveFolder(const std::string& path) { return RemoveDirectoryA(path.c_str()) != FALSE; }

bool EnterFolder(const std::string& path) { return SetCurrentDirectoryA(path.c_str()) != FALSE; }

bool CopyFileOver(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool DeleteFileAt(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

// WinExec reports failure as a value below 32.
bool StartProgram(const std::string& commandLine) { return WinExec(commandLine.c_str(), SW_SHOW) >= 32; }

}  // namespace obsc32
