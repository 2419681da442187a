#include "shell/help_viewer.hpp"

#include <shellapi.h>
#include <shlwapi.h>

#include "shell/help_route.hpp"

namespace obsc32 {

namespace {

unsigned MajorVersion() {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    return GetVersionExA(&v) ? v.dwMajorVersion : 6;
}

// The default browser's command, registered for the web's own scheme: the one for .htm files may well be an
// editor.
std::string BrowserCommand() {
    char command[2048] = "";
    DWORD length = sizeof command;
    if (AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_COMMAND, "http", "open", command, &length) != S_OK)
        return {};
    return command;
}

bool Run(std::string line) {
    STARTUPINFOA start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

bool ShowHelp(HWND owner, const std::string& helpFile, const std::string& page, HelpPlace place) {
    if (HasOldHelpViewer(MajorVersion())) {
        // An empty keyword opens the index without one chosen.
        if (place == HelpPlace::Index)
            WinHelpA(owner, helpFile.c_str(), HELP_KEY, reinterpret_cast<ULONG_PTR>(""));
        else
            WinHelpA(owner, helpFile.c_str(), HELP_CONTENTS, 0);
        return true;
    }
    const DWORD attributes = GetFileAttributesA(page.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // A file URL handed to the shell reaches the browser without its anchor: the browser gets it itself.
    const std::string command = BrowserCommand();
    const std::string url = FileUrl(page, place == HelpPlace::Index ? kHelpIndexAnchor : "");
    if (!command.empty() && Run(BrowserCommandLine(command, url))) return true;
    // The page's top holds the contents and a link to the index.
    return reinterpret_cast<INT_PTR>(
               ShellExecuteA(owner, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

}  // namespace obsc32
