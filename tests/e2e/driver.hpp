// Drives OBSC32.EXE in its own process as a person or the shell would, and reads back what they would see;
// the harness every Wine suite shares does the finding, reading, waiting and input.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/boxes.hpp"
#include "common/files.hpp"
#include "common/group_windows.hpp"
#include "common/input.hpp"
#include "common/menus.hpp"
#include "common/plain_window.hpp"
#include "common/process.hpp"
#include "common/registry.hpp"
#include "common/screen.hpp"
#include "common/wait.hpp"
#include "common/windows.hpp"

namespace e2e {

using namespace testing_common;

inline constexpr const char* kCoverClass = "TOBSCURIO32VANTE";
inline constexpr const char* kSetupClass = "TOBSC32SETUPForm";
inline constexpr const char* kBoxClass = kProgramBox;
inline constexpr UINT kTrayMessage = WM_USER + 102;  // the cover's tray callback, 1126

// The product key HKCU\Software\VANTE SOFT32\OBSC32, written and read as the program does it.
namespace registry {
using testing_common::registry::Sz;
using testing_common::registry::Value;
inline constexpr const char* kMakerKey = "Software\\VANTE SOFT32";
inline constexpr const char* kProductKey = "Software\\VANTE SOFT32\\OBSC32";

void DeleteMakerKey();
void SetString(const std::string& name, const std::string& text);
// Every value of the product key by name; empty when the key is absent.
std::map<std::string, Value> ReadAll();
// The installed version and a start that shows the cover at once, on top (as its top placement) or at the
// bottom.
void StoreAutoStart(bool onTop);

// Sets (or, with nullptr, removes) the system wallpaper the cover reads, HKU\.Default\Control Panel\Desktop
// "Wallpaper", and puts back what was there when it goes.
class ScopedSystemWallpaper {
public:
    explicit ScopedSystemWallpaper(const char* path);

private:
    testing_common::registry::SavedKey saved_;
};
}  // namespace registry

// The notification area at the right end of the shell's taskbar; empty without a taskbar.
std::vector<COLORREF> TrayAreaPixels();
// The tray's look once it has stopped changing; empty if it never settles.
std::vector<COLORREF> SettledTrayAreaPixels();

// Input that stops the test with an exception when the pointer does not get where it is sent.
namespace input {
using testing_common::input::Key;
using testing_common::input::KeyChord;
using testing_common::input::KeyDown;
using testing_common::input::KeyUp;
void PlaceCursor(POINT at);
// Moves there without waiting for the pointer to rest: a menu another process tracks may echo older places.
void MoveTo(POINT at);
// Moves there and clicks, the buttons carrying the position.
void Click(POINT at, bool right = false);
}  // namespace input

// The shell's notice of a mouse event over the tray icon: the cursor is at `at` when it comes.
void PostTrayEvent(HWND cover, UINT mouseMessage, POINT at);
// The same notice, sent: true once the cover has handled it, which, for an event that opens a menu, is only
// after the menu has closed again.
bool SendTrayEvent(HWND cover, UINT mouseMessage, POINT at, Millis timeout);

// One run of OBSC32.EXE. Ends it when destroyed, by closing its main window, or at last by force, and with
// it every process it started.
class Program : public Process {
public:
    // `copyName` non-empty: run a copy of the program with that file name from a scratch folder.
    explicit Program(const std::string& args = "", const std::string& copyName = "");
    // Runs the program file at `exe`, left where it is.
    static std::unique_ptr<Program> At(const std::string& exe, const std::string& args = "");
    ~Program();

    // A top-level window of the class belonging to this process, visible or not; null if none.
    HWND Window(const char* className) const { return WindowOf(className, Pid()); }
    HWND WaitForWindow(const char* className, Millis timeout = kDeadline) const;
    std::vector<HWND> VisibleWindows() const { return WindowsOf(Pid(), nullptr, true); }

    // What was seen of the program's top-level windows, polled until it ended by itself or the time ran out.
    struct Watch {
        bool exited = false;
        std::set<std::string> classes;         // every class seen, visible or not
        std::set<std::string> visibleClasses;  // the classes seen visible
    };
    Watch WatchUntilExit(Millis timeout = kDeadline) const;

    void End();

    static std::string ScratchFolder() { return "C:\\obsc32e2e\\"; }
    // OBSC32.EXE of this build, or the one named by the environment variable OBSC32_E2E_EXE.
    static std::string ExePath();
    // The distribution folder built beside it, with its trailing backslash.
    static std::string DistFolder() { return ExePath().substr(0, ExePath().rfind('\\') + 1) + "dist\\"; }

private:
    Program(const std::string& exe, const std::string& args, bool copied);
    std::string copyPath_;
};

// The uninstall's questions and its report, as its boxes show them.
extern const std::string kUninstallQuestion, kUninstallRegistryQuestion, kUninstallDone;
// Starts `exe` with "/uninstall" as `program` and answers its two questions, the second with `registryAnswer`;
// the box stage 2 shows when it is done, or null.
HWND UninstallAnswering(std::unique_ptr<Program>& program, const std::string& exe,
                        const char* registryAnswer);

// Readies the shared desktop for a test: the shell's tray is up and no earlier run is left over.
// Returns what is wrong, or an empty text.
std::string PrepareDesktop();

}  // namespace e2e
