// Drives OBSC32.EXE in its own process as a person or the shell would, and reads back what they would see.
#pragma once
#include <windows.h>

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/boxes.hpp"
#include "common/wait.hpp"

namespace e2e {

using testing_common::HoldsFor;
using testing_common::Millis;
using testing_common::PumpMessages;
using testing_common::WaitUntil;
using testing_common::WaitUntilSteady;

inline constexpr const char* kCoverClass = "TOBSCURIO32VANTE";
inline constexpr const char* kSetupClass = "TOBSC32SETUPForm";
inline constexpr const char* kMenuClass = "#32768";
inline constexpr const char* kBoxClass = testing_common::kProgramBox;
inline constexpr UINT kTrayMessage = WM_USER + 102;  // the cover's tray callback, 1126
using testing_common::kDeadline;

// The product key HKCU\Software\VANTE SOFT32\OBSC32, written and read as the program does it.
namespace registry {
inline constexpr const char* kMakerKey = "Software\\VANTE SOFT32";
inline constexpr const char* kProductKey = "Software\\VANTE SOFT32\\OBSC32";

struct Value {
    DWORD type = REG_NONE;
    std::string data;  // for strings: the text without its terminator
    bool operator==(const Value&) const = default;
};
void PrintTo(const Value& value, std::ostream* os);

void DeleteMakerKey();
void CreateProductKey();
void SetString(const std::string& name, const std::string& text);
void SetDword(const std::string& name, DWORD value);
// Every value of the product key by name; empty when the key is absent.
std::map<std::string, Value> ReadAll();
Value Sz(const std::string& text);
// The installed version and a start that shows the cover at once, on top (as its top placement) or at the
// bottom.
void StoreAutoStart(bool onTop);

// Sets (or, with nullptr, removes) the system wallpaper the cover reads, HKU\.Default\Control Panel\Desktop
// "Wallpaper", and puts back what was there when it goes.
class ScopedSystemWallpaper {
public:
    explicit ScopedSystemWallpaper(const char* path);
    ~ScopedSystemWallpaper();
    ScopedSystemWallpaper(const ScopedSystemWallpaper&) = delete;
    ScopedSystemWallpaper& operator=(const ScopedSystemWallpaper&) = delete;

private:
    bool keyExisted_ = false;
    std::string createdKey_;
    bool valueExisted_ = false;
    Value old_;
};
}  // namespace registry

std::string ClassOf(HWND wnd);
std::string TextOf(HWND wnd);
DWORD ProcessOf(HWND wnd);
bool IsTopmost(HWND wnd);
RECT RectOf(HWND wnd);
// Every top-level window, in Z-order, topmost first.
std::vector<HWND> TopLevelWindows();
// Top-level windows of a class (null: any) belonging to a process (0: any).
std::vector<HWND> WindowsOf(DWORD pid, const char* className, bool visibleOnly = false);
// Visible top-level windows below `wnd` in the Z-order.
std::vector<HWND> VisibleWindowsBelow(HWND wnd);
// True when `upper` comes before `lower` in the Z-order.
bool IsAbove(HWND upper, HWND lower);
std::vector<HWND> VisibleMenus(DWORD pid);
// Child windows of a class (null: any), in their Z-order.
std::vector<HWND> ChildrenOf(HWND parent, const char* className);
// The text of a window of any process, asked with WM_GETTEXT as controls keep their own.
std::string ControlText(HWND wnd);
// The first child of the class with exactly that text, or null.
HWND ChildWithText(HWND parent, const char* className, const std::string& text);
POINT CenterOf(HWND wnd);

// The windows Wine's taskbar shows a button for: it keeps one child button per window it lists, whose
// control id is that window's handle.
std::vector<HWND> TaskbarButtonWindows();
// The windows of a process that have a button on the taskbar.
std::vector<HWND> TaskbarButtonWindowsOf(DWORD pid);

// Read from the screen as shown, GetDC(NULL).
COLORREF ScreenPixel(int x, int y);
// The pixels of a screen area, row by row, as 0x00RRGGBB; empty if it cannot be read.
std::vector<DWORD> ScreenArea(const RECT& area);
bool AnyDarkPixel(const RECT& area);
// The notification area at the right end of the shell's taskbar; empty without a taskbar.
std::vector<DWORD> TrayAreaPixels();
// The tray's look once it has stopped changing; empty if it never settles.
std::vector<DWORD> SettledTrayAreaPixels();

// Input as real devices give it, through SendInput.
namespace input {
using testing_common::input::Key;
// Places the cursor there; throws when it does not stay there.
void PlaceCursor(POINT at);
// Moves there; throws when the pointer does not get there.
void MoveTo(POINT at);
// Moves there and clicks; throws when the pointer does not get there.
void Click(POINT at, bool right = false);
}  // namespace input

// The shell's notice of a mouse event over the tray icon: the cursor is at `at` when it comes.
void PostTrayEvent(HWND cover, UINT mouseMessage, POINT at);
// The same notice, sent: true once the cover has handled it, which, for an event that opens a menu, is only
// after the menu has closed again.
bool SendTrayEvent(HWND cover, UINT mouseMessage, POINT at, Millis timeout);

// One run of OBSC32.EXE. Ends its process when destroyed, by closing its main window, or at last by force.
class Program {
public:
    // `copyName` non-empty: run a copy of the program with that file name from a scratch folder.
    explicit Program(const std::string& args = "", const std::string& copyName = "");
    // Runs the program file at `exe`, left where it is.
    static std::unique_ptr<Program> At(const std::string& exe, const std::string& args = "");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Pid() const { return pi_.dwProcessId; }
    bool Running() const;
    bool WaitForExit(Millis timeout = kDeadline) const;
    DWORD ExitCode() const;  // STILL_ACTIVE while running

    // A top-level window of the class belonging to this process, visible or not; null if none.
    HWND Window(const char* className) const;
    HWND WaitForWindow(const char* className, Millis timeout = kDeadline) const;
    std::vector<HWND> VisibleWindows() const;

    // What was seen of the program's top-level windows, polled until it ended by itself or the time ran out.
    struct Watch {
        bool exited = false;
        std::set<std::string> classes;         // every class seen, visible or not
        std::set<std::string> visibleClasses;  // the classes seen visible
    };
    Watch WatchUntilExit(Millis timeout = kDeadline) const;

    // Freezes the program's UI thread, so anything that needs an answer from it would wait.
    void SuspendUiThread();
    void ResumeUiThread();

    void End();

    static std::string ScratchFolder();
    // OBSC32.EXE of this build, or the one named by the environment variable OBSC32_E2E_EXE.
    static std::string ExePath();

private:
    struct Deferred {};
    explicit Program(Deferred);
    void Start(std::string exe, const std::string& args);
    PROCESS_INFORMATION pi_{};
    std::string copyPath_;
    int suspended_ = 0;
};

// A plain visible window of the test itself, painted in one colour.
class TestWindow {
public:
    TestWindow(const RECT& bounds, COLORREF color);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Handle() const { return wnd_; }

private:
    HWND wnd_ = nullptr;
    HBRUSH brush_ = nullptr;
};

// Readies the shared desktop for a test: the shell's tray is up and no earlier run is left over.
// Returns what is wrong, or an empty text.
std::string PrepareDesktop();

}  // namespace e2e
