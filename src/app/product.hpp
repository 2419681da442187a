// Process-wide product values, set once at start-up.
#pragma once
#include <string>

namespace obsc32 {

inline constexpr int kProgramVersionBuiltIn = 12;

extern int ProgramVersion;
extern std::string ProductCode;
extern std::string ProductTitle;
extern std::string ProductLongTitle;
extern std::string ExeFolder;
extern int UninstallerNumber;
extern std::string UninstallerName;

enum StartModes { kStartNormal = 0, kStartUninstall1 = 1, kStartUninstall2 = 2, kStartUninstallRefused = 999 };
extern int StartMode;

// Sets the product values; ExeFolder comes from the caller, already ending in "\".
void InitProductValues(const std::string& exeFolder);

// "Software\VANTE SOFT32\" + ProductCode, under HKEY_CURRENT_USER.
std::string ProductKey();
inline constexpr const char* kMakerKey = "Software\\VANTE SOFT32";

}  // namespace obsc32
