#include "e2e/driver.hpp"

#include <cstring>
#include <ostream>
#include <stdexcept>

namespace e2e {

namespace {

// Every started program joins this job, so a test run that dies cannot leave one behind.
HANDLE Job() {
    static HANDLE job = [] {
        HANDLE j = CreateJobObjectA(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (j) SetInformationJobObject(j, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return j;
    }();
    return job;
}

}  // namespace

namespace registry {

namespace {
// RegDeleteTreeA is newer than the Windows version the build targets.
LONG DeleteTree(HKEY parent, const char* path) {
    HKEY key = nullptr;
    LONG r = RegOpenKeyExA(parent, path, 0, KEY_ALL_ACCESS, &key);
    if (r != ERROR_SUCCESS) return r;
    for (;;) {
        char name[256];
        DWORD len = sizeof name;
        if (RegEnumKeyExA(key, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if ((r = DeleteTree(key, name)) != ERROR_SUCCESS) break;
    }
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? RegDeleteKeyA(parent, path) : r;
}
}  // namespace

void DeleteMakerKey() {
    LONG r = DeleteTree(HKEY_CURRENT_USER, kMakerKey);
    if (r != ERROR_SUCCESS && r != ERROR_FILE_NOT_FOUND)
        throw std::runtime_error("cannot delete HKCU\\" + std::string(kMakerKey));
}

namespace {
HKEY OpenProduct(bool create) {
    HKEY key = nullptr;
    LONG r = create ? RegCreateKeyExA(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                      &key, nullptr)
                    : RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key);
    if (r != ERROR_SUCCESS) {
        if (create) throw std::runtime_error("cannot create the product key");
        return nullptr;
    }
    return key;
}

void SetRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
    HKEY key = OpenProduct(true);
    LONG r = RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS) throw std::runtime_error("cannot write value " + name);
}
}  // namespace

void CreateProductKey() { RegCloseKey(OpenProduct(true)); }

void SetString(const std::string& name, const std::string& text) {
    SetRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetDword(const std::string& name, DWORD value) { SetRaw(name, REG_DWORD, &value, sizeof value); }

void StoreAutoStart(bool onTop) {
    SetString("Version", "12");
    SetString("AUTO", "1");
    SetString("UE", onTop ? "1" : "0");
    if (onTop) SetString("MUE", "1");
}

std::map<std::string, Value> ReadAll() {
    std::map<std::string, Value> values;
    HKEY key = OpenProduct(false);
    if (!key) return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameLen = sizeof name;
        BYTE data[4096];
        DWORD dataLen = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS) break;
        std::string bytes(reinterpret_cast<char*>(data), dataLen);
        // A string as stored: its one terminator is not part of the text.
        if ((type == REG_SZ || type == REG_EXPAND_SZ) && !bytes.empty() && bytes.back() == '\0')
            bytes.pop_back();
        values[std::string(name, nameLen)] = Value{type, bytes};
    }
    RegCloseKey(key);
    return values;
}

Value Sz(const std::string& text) { return Value{REG_SZ, text}; }

void PrintTo(const Value& value, std::ostream* os) {
    *os << (value.type == REG_SZ      ? "REG_SZ"
            : value.type == REG_DWORD ? "REG_DWORD"
                                      : "type ")
        << (value.type == REG_SZ || value.type == REG_DWORD ? "" : std::to_string(value.type)) << " \""
        << value.data << "\"";
}

namespace {
constexpr const char* kDefaultPanel = ".Default\\Control Panel";
constexpr const char* kDefaultDesktop = ".Default\\Control Panel\\Desktop";
}  // namespace

ScopedSystemWallpaper::ScopedSystemWallpaper(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_USERS, kDefaultDesktop, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        keyExisted_ = true;
        BYTE data[1024];
        DWORD size = sizeof data, type = 0;
        if (RegQueryValueExA(key, "Wallpaper", nullptr, &type, data, &size) == ERROR_SUCCESS) {
            valueExisted_ = true;
            old_ = Value{type, std::string(reinterpret_cast<char*>(data), size)};
        }
    } else {
        // Remember the highest key this creates, to remove exactly that again.
        HKEY panel = nullptr;
        if (RegOpenKeyExA(HKEY_USERS, kDefaultPanel, 0, KEY_READ, &panel) == ERROR_SUCCESS) {
            RegCloseKey(panel);
            createdKey_ = kDefaultDesktop;
        } else {
            createdKey_ = kDefaultPanel;
        }
    }
    if (!keyExisted_ && RegCreateKeyExA(HKEY_USERS, kDefaultDesktop, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                        &key, nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot open HKU\\.Default\\Control Panel\\Desktop");
    }
    LONG r = path ? RegSetValueExA(key, "Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                                   static_cast<DWORD>(strlen(path) + 1))
                  : RegDeleteValueA(key, "Wallpaper");
    RegCloseKey(key);
    if (r != ERROR_SUCCESS && !(path == nullptr && r == ERROR_FILE_NOT_FOUND))
        throw std::runtime_error("cannot set the system wallpaper value");
}

ScopedSystemWallpaper::~ScopedSystemWallpaper() {
    if (!keyExisted_) {
        DeleteTree(HKEY_USERS, createdKey_.c_str());
        return;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_USERS, kDefaultDesktop, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    if (valueExisted_)
        RegSetValueExA(key, "Wallpaper", 0, old_.type, reinterpret_cast<const BYTE*>(old_.data.data()),
                       static_cast<DWORD>(old_.data.size()));
    else
        RegDeleteValueA(key, "Wallpaper");
    RegCloseKey(key);
}

}  // namespace registry

std::string ClassOf(HWND wnd) {
    char name[256] = {};
    int n = GetClassNameA(wnd, name, sizeof name);
    return std::string(name, n > 0 ? n : 0);
}

std::string TextOf(HWND wnd) {
    char text[512] = {};
    int n = GetWindowTextA(wnd, text, sizeof text);
    return std::string(text, n > 0 ? n : 0);
}

DWORD ProcessOf(HWND wnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    return pid;
}

bool IsTopmost(HWND wnd) { return (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

RECT RectOf(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

namespace {
BOOL CALLBACK CollectWindow(HWND w, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> list;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&list));
    return list;
}

std::vector<HWND> WindowsOf(DWORD pid, const char* className, bool visibleOnly) {
    std::vector<HWND> found;
    for (HWND w : TopLevelWindows()) {
        if (pid && ProcessOf(w) != pid) continue;
        if (className && ClassOf(w) != className) continue;
        if (visibleOnly && !IsWindowVisible(w)) continue;
        found.push_back(w);
    }
    return found;
}

std::vector<HWND> VisibleWindowsBelow(HWND wnd) {
    std::vector<HWND> below;
    for (HWND w = GetWindow(wnd, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsWindowVisible(w)) below.push_back(w);
    return below;
}

bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

std::vector<HWND> VisibleMenus(DWORD pid) { return WindowsOf(pid, kMenuClass, true); }

namespace {
BOOL CALLBACK CollectChild(HWND w, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}
}  // namespace

std::vector<HWND> ChildrenOf(HWND parent, const char* className) {
    std::vector<HWND> all, found;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all)
        if (!className || ClassOf(w) == className) found.push_back(w);
    return found;
}

std::string ControlText(HWND wnd) { return testing_common::TextOf(wnd); }

HWND ChildWithText(HWND parent, const char* className, const std::string& text) {
    for (HWND w : ChildrenOf(parent, className))
        if (ControlText(w) == text) return w;
    return nullptr;
}

POINT CenterOf(HWND wnd) {
    RECT r = RectOf(wnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::vector<HWND> TaskbarButtonWindows() {
    std::vector<HWND> shown;
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    if (!tray) return shown;
    for (HWND button : ChildrenOf(tray, "Button")) {
        // Id 0 is the start button.
        auto wnd = reinterpret_cast<HWND>(GetWindowLongPtrA(button, GWLP_ID));
        if (wnd && IsWindowVisible(button)) shown.push_back(wnd);
    }
    return shown;
}

std::vector<HWND> TaskbarButtonWindowsOf(DWORD pid) {
    std::vector<HWND> of;
    for (HWND wnd : TaskbarButtonWindows())
        if (ProcessOf(wnd) == pid) of.push_back(wnd);
    return of;
}

COLORREF ScreenPixel(int x, int y) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return c;
}

std::vector<DWORD> ScreenArea(const RECT& area) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return {};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<DWORD> pixels;
    if (bmp && bits) {
        HGDIOBJ old = SelectObject(mem, bmp);
        if (BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY)) {
            GdiFlush();
            const DWORD* p = static_cast<const DWORD*>(bits);
            pixels.assign(p, p + w * h);
        }
        SelectObject(mem, old);
    }
    if (bmp) DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool AnyDarkPixel(const RECT& area) {
    for (DWORD p : ScreenArea(area))
        if (((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3 < 80) return true;
    return false;
}

std::vector<DWORD> TrayAreaPixels() {
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    if (!tray) return {};
    RECT r = RectOf(tray);
    return ScreenArea({r.right - 128, r.top, r.right, r.bottom});
}

std::vector<DWORD> SettledTrayAreaPixels() {
    std::vector<DWORD> settled;
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

Program::Program(Deferred) {}

Program::Program(const std::string& args, const std::string& copyName) {
    std::string exe = ExePath();
    if (!copyName.empty()) {
        CreateDirectoryA(ScratchFolder().c_str(), nullptr);
        copyPath_ = ScratchFolder() + copyName;
        if (!CopyFileA(exe.c_str(), copyPath_.c_str(), FALSE))
            throw std::runtime_error("cannot copy to " + copyPath_);
        exe = copyPath_;
    }
    Start(exe, args);
}

std::unique_ptr<Program> Program::At(const std::string& exe, const std::string& args) {
    std::unique_ptr<Program> program(new Program(Deferred{}));
    program->Start(exe, args);
    return program;
}

void Program::Start(std::string exe, const std::string& args) {
    std::string commandLine = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    // Suspended until it is in the job, so it cannot outlive the test run.
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &si, &pi_))
        throw std::runtime_error("cannot start " + exe);
    AssignProcessToJobObject(Job(), pi_.hProcess);
    ResumeThread(pi_.hThread);
}

Program::~Program() { End(); }

bool Program::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

bool Program::WaitForExit(Millis timeout) const {
    return WaitUntil([&] { return !Running(); }, timeout);
}

DWORD Program::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

HWND Program::Window(const char* className) const {
    std::vector<HWND> found = WindowsOf(Pid(), className);
    return found.empty() ? nullptr : found.front();
}

HWND Program::WaitForWindow(const char* className, Millis timeout) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = Window(className)) != nullptr; }, timeout);
    return found;
}

std::vector<HWND> Program::VisibleWindows() const { return WindowsOf(Pid(), nullptr, true); }

Program::Watch Program::WatchUntilExit(Millis timeout) const {
    Watch watch;
    watch.exited = WaitUntil(
        [&] {
            for (HWND w : WindowsOf(Pid(), nullptr)) {
                std::string cls = ClassOf(w);
                watch.classes.insert(cls);
                if (IsWindowVisible(w)) watch.visibleClasses.insert(cls);
            }
            return !Running();
        },
        timeout);
    return watch;
}

void Program::SuspendUiThread() {
    if (SuspendThread(pi_.hThread) != static_cast<DWORD>(-1)) ++suspended_;
}

void Program::ResumeUiThread() {
    if (suspended_ > 0 && ResumeThread(pi_.hThread) != static_cast<DWORD>(-1)) --suspended_;
}

void Program::End() {
    if (!pi_.hProcess) return;
    while (suspended_ > 0) ResumeUiThread();
    if (Running()) {
        // Open menus and boxes run loops of their own; leave them first, so the close goes the usual way.
        for (HWND menu : VisibleMenus(Pid())) PostMessageA(menu, WM_CANCELMODE, 0, 0);
        WaitUntil([&] { return VisibleMenus(Pid()).empty(); }, 3000);
        for (HWND box : WindowsOf(Pid(), kBoxClass, true)) PostMessageA(box, WM_CLOSE, 0, 0);
        WaitUntil([&] { return WindowsOf(Pid(), kBoxClass, true).empty(); }, 3000);
        for (const char* cls : {kCoverClass, kSetupClass})
            for (HWND w : WindowsOf(Pid(), cls)) PostMessageA(w, WM_CLOSE, 0, 0);
        if (!WaitForExit(5000)) {
            TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
    pi_ = {};
    if (!copyPath_.empty()) {
        WaitUntil([&] { return DeleteFileA(copyPath_.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND; },
                  3000);
        RemoveDirectoryA(ScratchFolder().c_str());  // only once empty
        copyPath_.clear();
    }
}

std::string Program::ScratchFolder() { return "C:\\obsc32e2e\\"; }

namespace {
LRESULT CALLBACK TestWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(wnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r,
                 reinterpret_cast<HBRUSH>(GetWindowLongPtrA(wnd, GWLP_USERDATA)));
        return 1;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

const char* TestWindowClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = TestWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = "OBSC32E2EWindow";
        RegisterClassA(&wc);
        return wc.lpszClassName;
    }();
    return name;
}
}  // namespace

TestWindow::TestWindow(const RECT& b, COLORREF color) : brush_(CreateSolidBrush(color)) {
    wnd_ = CreateWindowExA(0, TestWindowClass(), "OBSC32 e2e", WS_POPUP | WS_BORDER, b.left, b.top,
                           b.right - b.left, b.bottom - b.top, nullptr, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
    if (!wnd_) throw std::runtime_error("cannot create the test window");
    SetWindowLongPtrA(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush_));
    ShowWindow(wnd_, SW_SHOW);
    SetForegroundWindow(wnd_);
    UpdateWindow(wnd_);
}

TestWindow::~TestWindow() {
    DestroyWindow(wnd_);
    DeleteObject(brush_);
    PumpMessages();
}

std::string PrepareDesktop() {
    // The first window call starts the desktop and its shell; a cover needs the tray to add its icon.
    GetDesktopWindow();
    if (!WaitUntil([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }))
        return "the shell's tray window did not appear";
    for (const char* cls : {kCoverClass, kSetupClass})
        for (HWND w : WindowsOf(0, cls)) PostMessageA(w, WM_CLOSE, 0, 0);
    if (!WaitUntil([] { return WindowsOf(0, kCoverClass).empty() && WindowsOf(0, kSetupClass).empty(); }))
        return "a cover or setup window of an earlier run is still open";
    return {};
}

}  // namespace e2e
