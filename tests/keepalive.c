/* Keeps one Wine process alive for a test run, so the desktop and its tray are not restarted per test. */
#include <windows.h>
int WINAPI WinMain(HINSTANCE a, HINSTANCE b, LPSTR c, int d) {
    (void)a;
    (void)b;
    (void)c;
    (void)d;
    Sleep(INFINITE);
    return 0;
}
