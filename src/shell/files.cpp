#include "shell/files.hpp"

#include <windows.h>

#include <optional>

#include "ui/wide.hpp"

namespace obsc32 {

bool MakeFolder(const std::string& path) {
    return CreateDirectoryW(ui::WidePath(path).c_str(), nullptr) != FALSE;
}

bool RemoveFolder(const std::string& path) { return RemoveDirectoryW(ui::WidePath(path).c_str()) != FALSE; }

bool EnterFolder(const std::string& path) {
    return SetCurrentDirectoryW(ui::WidePath(path).c_str()) != FALSE;
}

bool CopyFileOver(const std::string& from, const std::string& to) {
    return CopyFileW(ui::WidePath(from).c_str(), ui::WidePath(to).c_str(), FALSE) != FALSE;
}

bool DeleteFileAt(const std::string& path) { return DeleteFileW(ui::WidePath(path).c_str()) != FALSE; }

// As WinExec, which has no wide form: shown, and given up to 30 s to come up.
bool StartProgram(const std::string& commandLine) {
    std::optional<std::wstring> line = ui::WideExact(commandLine);
    if (!line) return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line->data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    WaitForInputIdle(info.hProcess, 30000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

}  // namespace obsc32
