// Every registry place the program reads or writes, each access short: open, read or write, close.
#pragma once
#include <string>

#include "app/setting_values.hpp"

namespace obsc32 {

// The stored "Version" as a number (255 when absent, empty or not a number).
int ReadStoredVersion();
// A string value of the product key ("" when absent).
std::string ReadProductString(const char* name);

CoverSettings ReadCoverSettings();
// Creates the product key when needed; throws ui::Error when a value cannot be written.
void WriteCoverSettings(const CoverSettings& s);

// HKEY_USERS\.Default\Control Panel\Desktop "Wallpaper".
std::string ReadSystemWallpaper();
// A value of the current user's Explorer "Shell Folders" ("Programs", "Desktop", "Startup").
std::string ReadShellFolder(const char* name);

}  // namespace obsc32
