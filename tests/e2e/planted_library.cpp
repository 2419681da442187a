// Planted beside the program under the name of a system library it loads on first use. Loaded, it leaves a
// mark beside itself, "<its file>.loaded"; its functions (planted_library.def) fail as the real ones can.
#include <windows.h>

extern "C" {
BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    wchar_t mark[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameW(self, mark, MAX_PATH);
    if (reason != DLL_PROCESS_ATTACH || length == 0 || length >= MAX_PATH) return TRUE;
    lstrcpyW(mark + length, L".loaded");
    CloseHandle(CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return TRUE;
}

BOOL WINAPI Refuse(void*) { return FALSE; }
BOOL WINAPI RefuseBlt(HDC, int, int, int, int, HDC, int, int, int, int, UINT) { return FALSE; }
}
