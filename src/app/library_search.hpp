// Where the program's libraries are loaded from.
#pragma once

namespace obsc32 {

// Restricts the search for libraries to the system folder. The program's folder comes first otherwise, and
// its default install folder is writable by every user: a file there named after one of the libraries loaded
// on first use (version, msimg32, mpr...) would run inside the program. Called before anything loads one.
void LoadLibrariesFromSystemFolderOnly();

}  // namespace obsc32
