#include "app/library_search.hpp"

#include <windows.h>

namespace obsc32 {

void LoadLibrariesFromSystemFolderOnly() {
    // Looked up: Vista and 7 have it only with an update (KB2533623), XP not at all; they keep their search.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace obsc32
