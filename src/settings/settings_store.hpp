// Every registry place the program reads or writes, each access short: open, read or write, close.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "settings/hot_key_text.hpp"
#include "settings/setting_values.hpp"

namespace obsc32 {

// The stored "Version" as a number (255 when absent, empty or not a number).
int ReadStoredVersion();
// A string value of the product key ("" when absent).
std::string ReadProductString(const char* name);

CoverSettings ReadCoverSettings();
// Creates the product key when needed; throws ui::Error when a value cannot be written.
void WriteCoverSettings(const CoverSettings& s);

// "HotKey", read at the cover's start in an access of its own, and written after the cover's settings.
StoredHotKey ReadStoredHotKey();
void WriteHotKey(const std::string& text);

// The setup window's values: install folder, group and its two colour switches.
struct SetupSettings {
    std::string ExePath;     // "EXEPATH"
    std::string Group;       // "Group"
    bool BackColor = false;  // "BackColor"
    bool VanteColor = true;  // "VANTE_COLOR"
};
SetupSettings ReadSetupSettings();
// "EXEPATH" and "Group", written first by the install.
void WriteInstallPlace(const std::string& exePath, const std::string& group);
// "Version", "BackColor", "VANTE_COLOR", written last: from then on starts run the cover.
void WriteInstalledVersion(int version, bool backColor, bool vanteColor);
// The Windows Uninstall entry: what the system's list of programs shows and starts, and the highest folder
// the install made for the program ("" when none).
struct UninstallEntry {
    std::string DisplayName, UninstallString, MadeFolder;
    std::string DisplayIcon, DisplayVersion, Publisher, InstallLocation;
    DWORD EstimatedSizeKb = 0;
};
// Under HKEY_LOCAL_MACHINE, or the user's own when the machine's cannot be written. Throws ui::Error naming
// the key and value when neither takes the values.
void WriteUninstallEntry(const UninstallEntry& entry);
// The entry's record of the folders made alone, written before the first of them is made: an install cut
// short, however early, leaves them known to the next. Without a display name the entry lists no program.
// Gives the record the entry held before; none when it held none.
std::optional<std::string> WriteMadeFolder(const std::string& madeFolder);
// Takes a record back when its folder could not be made: `earlier` as WriteMadeFolder gave it.
void PutBackMadeFolder(const std::optional<std::string>& earlier);
// The version-number reset: "Version" becomes "", every other value stays.
void ClearStoredVersion();

// Uninstall: "Version" and "REC_TXT" go first ...
void RemoveVersionValues();
// ... then, when the user agrees, the product key, and the maker key only when nothing else is in it.
void RemoveProductSettings();

// HKEY_USERS\.Default\Control Panel\Desktop "Wallpaper".
std::string ReadSystemWallpaper();
// The current user's Explorer "Shell Folders" the shortcut paths are built from, read in one access.
struct ShellFolders {
    std::string Programs, Desktop, Startup;
};
ShellFolders ReadShellFolders();
// The Startup group's localized name (Explorer "MapGroups" "StartUp"); "" when unknown.
std::string ReadStartupGroupName();

}  // namespace obsc32
