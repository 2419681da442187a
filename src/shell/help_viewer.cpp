#include "shell/help_viewer.hpp"

#include <shellapi.h>
#include <shlwapi.h>

#include "shell/help_route.hpp"
#include "ui/wide.hpp"

namespace obsc32 {

namespace {

unsigned MajorVersion() {
    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof v;
    return GetVersionExW(&v) ? v.dwMajorVersion : 6;
}

// The default browser's command, registered for the web's own scheme: the one for .htm files may well be an
// editor.
std::string BrowserCommand() {
    wchar_t command[2048] = L"";
    DWORD length = 2048;
    if (AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_COMMAND, L"http", L"open", command, &length) != S_OK)
        return {};
    return ui::Narrow(command, wcslen(command));
}

bool Run(const std::string& line) {
    std::wstring wide = ui::Wide(line);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, wide.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

bool ShowHelp(HWND owner, const std::string& helpFile, const std::string& page, HelpPlace place) {
    if (HasOldHelpViewer(MajorVersion())) {
        const std::wstring file = ui::WidePath(helpFile);
        // An empty keyword opens the index without one chosen.
        if (place == HelpPlace::Index)
            WinHelpW(owner, file.c_str(), HELP_KEY, reinterpret_cast<ULONG_PTR>(L""));
        else
            WinHelpW(owner, file.c_str(), HELP_CONTENTS, 0);
        return true;
    }
    const std::wstring widePage = ui::WidePath(page);
    const DWORD attributes =
        widePage.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(widePage.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // A file URL handed to the shell reaches the browser without its anchor: the browser gets it itself.
    const std::string command = BrowserCommand();
    const std::string url = FileUrl(page, place == HelpPlace::Index ? kHelpIndexAnchor : "");
    if (!command.empty() && Run(BrowserCommandLine(command, url))) return true;
    // The page's top holds the contents and a link to the index.
    return reinterpret_cast<INT_PTR>(
               ShellExecuteW(owner, L"open", widePage.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

}  // namespace obsc32
