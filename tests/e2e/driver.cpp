#include "e2e/driver.hpp"

#include <stdexcept>

#include "common/text.hpp"

namespace e2e {

namespace registry {

namespace common = testing_common::registry;

void DeleteMakerKey() {
    if (!common::DeleteTree(HKEY_CURRENT_USER, kMakerKey))
        throw std::runtime_error("cannot delete HKCU\\" + std::string(kMakerKey));
}

void SetString(const std::string& name, const std::string& text) {
    if (!common::SetString(HKEY_CURRENT_USER, kProductKey, name, text))
        throw std::runtime_error("cannot write value " + name);
}

std::map<std::string, Value> ReadAll() { return common::ReadAll(HKEY_CURRENT_USER, kProductKey); }

void StoreAutoStart(bool onTop) {
    SetString("Version", "12");
    SetString("AUTO", "1");
    SetString("UE", onTop ? "1" : "0");
    if (onTop) SetString("MUE", "1");
}

namespace {
constexpr const char* kDefaultDesktop = ".Default\\Control Panel\\Desktop";
}  // namespace

ScopedSystemWallpaper::ScopedSystemWallpaper(const char* path) : saved_(HKEY_USERS, kDefaultDesktop) {
    if (!path)
        common::DeleteValue(HKEY_USERS, kDefaultDesktop, "Wallpaper");
    else if (!common::SetString(HKEY_USERS, kDefaultDesktop, "Wallpaper", path))
        throw std::runtime_error("cannot set the system wallpaper value");
}

}  // namespace registry

std::vector<COLORREF> TrayAreaPixels() {
    HWND tray = FindWindowW(testing_common::W("Shell_TrayWnd").c_str(), nullptr);
    if (!tray) return {};
    const RECT r = RectOf(tray);
    return ScreenPixels({r.right - 128, r.top, r.right, r.bottom});
}

std::vector<COLORREF> SettledTrayAreaPixels() {
    std::vector<COLORREF> settled;
    if (!WaitUntil([&] {
            settled = TrayAreaPixels();
            return !settled.empty() && HoldsFor([&] { return TrayAreaPixels() == settled; }, 300);
        }))
        settled.clear();
    return settled;
}

namespace input {

void PlaceCursor(POINT at) {
    if (!testing_common::input::PlaceCursor(at)) throw std::runtime_error("the cursor did not move");
}

void MoveTo(POINT at) {
    if (!testing_common::input::MoveTo(at, 0)) throw std::runtime_error("the mouse did not move");
}

void Click(POINT at, bool right) {
    MoveTo(at);
    // With the position: a press sent "where the pointer is" may land where a late echo of the last move put
    // it, on another button.
    testing_common::input::PressAt(at, right);
    testing_common::input::ReleaseAt(at, right);
}

}  // namespace input

void PostTrayEvent(HWND cover, UINT mouseMessage, POINT at) {
    input::PlaceCursor(at);
    if (!PostMessageA(cover, kTrayMessage, 0, mouseMessage))
        throw std::runtime_error("cannot post to the cover");
}

bool SendTrayEvent(HWND cover, UINT mouseMessage, POINT at, Millis timeout) {
    input::PlaceCursor(at);
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(cover, kTrayMessage, 0, mouseMessage, SMTO_NORMAL, timeout, &result) != 0;
}

std::string Program::ExePath() {
    // Another build of the program can be checked with the same tests.
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("OBSC32_E2E_EXE", path, sizeof path);
    return n > 0 && n < sizeof path ? std::string(path, n) : std::string(OBSC32_EXE_PATH);
}

namespace {
std::string CopyOfProgram(const std::string& copyName) {
    CreateDirectoryW(testing_common::W(Program::ScratchFolder()).c_str(), nullptr);
    const std::string copy = Program::ScratchFolder() + copyName;
    if (!CopyFileW(testing_common::W(Program::ExePath()).c_str(), testing_common::W(copy).c_str(), FALSE))
        throw std::runtime_error("cannot copy to " + copy);
    return copy;
}
}  // namespace

Program::Program(const std::string& args, const std::string& copyName)
    : Program(copyName.empty() ? ExePath() : CopyOfProgram(copyName), args, !copyName.empty()) {}

Program::Program(const std::string& exe, const std::string& args, bool copied) : Process(exe, args) {
    if (copied) copyPath_ = exe;
    if (!Started()) throw std::runtime_error("cannot start " + exe);
}

std::unique_ptr<Program> Program::At(const std::string& exe, const std::string& args) {
    return std::unique_ptr<Program>(new Program(exe, args, false));
}

Program::~Program() { End(); }

HWND Program::WaitForWindow(const char* className, Millis timeout) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = Window(className)) != nullptr; }, timeout);
    return found;
}

Program::Watch Program::WatchUntilExit(Millis timeout) const {
    Watch watch;
    watch.exited = WaitUntil(
        [&] {
            for (HWND w : WindowsOf(Pid(), nullptr)) {
                const std::string cls = ClassOf(w);
                watch.classes.insert(cls);
                if (IsWindowVisible(w)) watch.visibleClasses.insert(cls);
            }
            return !Running();
        },
        timeout);
    return watch;
}

void Program::End() {
    Resume();
    if (Running()) {
        // Open menus and boxes run loops of their own; leave them first, so the close goes the usual way.
        CancelMenus(Pid(), 3000);
        for (HWND box : WindowsOf(Pid(), kBoxClass, true)) PostMessageA(box, WM_CLOSE, 0, 0);
        WaitUntil([&] { return WindowsOf(Pid(), kBoxClass, true).empty(); }, 3000);
        for (const char* cls : {kCoverClass, kSetupClass})
            for (HWND w : WindowsOf(Pid(), cls)) PostMessageA(w, WM_CLOSE, 0, 0);
    }
    // Whatever it started goes with it.
    Close(nullptr);
    if (!copyPath_.empty()) {
        WaitUntil(
            [&] {
                return DeleteFileW(testing_common::W(copyPath_).c_str()) ||
                       GetLastError() == ERROR_FILE_NOT_FOUND;
            },
            3000);
        RemoveDirectoryW(testing_common::W(ScratchFolder()).c_str());  // only once empty
        copyPath_.clear();
    }
}

std::string PrepareDesktop() {
    // The first window call starts the desktop and its shell; a cover needs the tray to add its icon.
    GetDesktopWindow();
    if (!WaitUntil(
            [] { return FindWindowW(testing_common::W("Shell_TrayWnd").c_str(), nullptr) != nullptr; }))
        return "the shell's tray window did not appear";
    for (const char* cls : {kCoverClass, kSetupClass})
        for (HWND w : WindowsOf(0, cls)) PostMessageA(w, WM_CLOSE, 0, 0);
    if (!WaitUntil([] { return WindowsOf(0, kCoverClass).empty() && WindowsOf(0, kSetupClass).empty(); }))
        return "a cover or setup window of an earlier run is still open";
    return {};
}

const std::string kUninstallQuestion =
    "VANTE vaz       すみかげ V1.2\r\nを、ｱﾝｲﾝｽﾂｰﾙしてよろしいですか？？？";
const std::string kUninstallRegistryQuestion = "当ソフトのレジストリー情報も削除してよろしいですか？？";
const std::string kUninstallDone = "削除が完了しました☆☆☆\r\nお疲れ様☆☆☆";

HWND UninstallAnswering(std::unique_ptr<Program>& program, const std::string& exe,
                        const char* registryAnswer) {
    program = Program::At(exe, "/uninstall");
    HWND first = testing_common::WaitForBoxWithText(program->Pid(), kUninstallQuestion);
    if (!first || !testing_common::ClickBoxButton(first, "はい")) return nullptr;
    HWND second = testing_common::WaitForBoxWithText(program->Pid(), kUninstallRegistryQuestion);
    if (!second || !testing_common::ClickBoxButton(second, registryAnswer) || !program->WaitForExit())
        return nullptr;
    return testing_common::WaitForBoxWithText(0, kUninstallDone);
}

}  // namespace e2e
