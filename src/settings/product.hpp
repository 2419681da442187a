// The product's fixed values.
#pragma once
#include <string>

namespace obsc32 {

inline constexpr int ProgramVersion = 12;
inline constexpr char ProductCode[] = "OBSC32";
inline constexpr char ProductTitle[] = "真っ黒すみかげ";
inline constexpr char ProductLongTitle[] = "vaz       すみかげ";
inline constexpr int UninstallerNumber = 0;
// BuildUninstallerName(UninstallerNumber).
inline constexpr char UninstallerName[] = "unin_vante000.exe";

// "unin_vante" + the last three digits of ("000" + number) + ".exe".
std::string BuildUninstallerName(int number);

// Under HKEY_CURRENT_USER.
inline constexpr char MakerKey[] = "Software\\VANTE SOFT32";
inline constexpr char ProductKey[] = "Software\\VANTE SOFT32\\OBSC32";
// Under HKEY_LOCAL_MACHINE, or HKEY_CURRENT_USER for a user without administrator rights.
inline constexpr char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OBSC32";

}  // namespace obsc32
