// What the setup and uninstall benchmarks time and click, find and leave behind: other processes' windows, the registry, the files, and
// the folder windows Program Manager opens.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace setup_bench {

inline constexpr DWORD kDeadlineMs = 15000;

// The performance counter in milliseconds.
double Now();
double Median(std::vector<double> v);
// Nearest rank: with 10 runs, the 9th fastest.
double P90(std::vector<double> v);
// A press as the mouse gives it, at the button's client centre.
void Click(HWND button);

// Asked with WM_GETTEXT, as controls of another process keep their own text.
std::string TextOf(HWND wnd);
std::string ClassOf(HWND wnd);
DWORD ProcessOf(HWND wnd);
// Top-level windows of the class (any case) of the process (0: any).
std::vector<HWND> TopLevel(const char* cls, DWORD pid);
// Every descendant.
std::vector<HWND> Children(HWND parent);
// A visible direct child of the class with that text (null: any text).
HWND VisibleChild(HWND parent, const char* cls, const char* text);
HWND VisibleTopLevel(const char* cls, DWORD pid);

LONG DeleteTree(HKEY root, const std::string& path);
// A key with its values and subkeys, to put back exactly as it was.
struct KeyCopy {
    bool exists = false;
    std::vector<std::pair<std::string, std::pair<DWORD, std::string>>> values;
    std::vector<std::pair<std::string, KeyCopy>> keys;
};
KeyCopy Snapshot(HKEY root, const std::string& path);
void Restore(HKEY root, const std::string& path, const KeyCopy& copy);
// The product's "Version": "12", or removed.
void SetVersion(bool stored);
std::string ProgramsFolder();

bool Exists(const std::string& path);
void RemoveTree(const std::string& folder);
// OBSC32.EXE, OBSC32.TXT and OBSC32.HLP in `dist`, made anew.
bool MakeDistribution(const std::string& dist, const std::string& exe, const std::string& exeDir);

// Remembers the folder windows open now: they are not ours to close.
void NoteFolderWindows();
// Waits up to `waitToAppearMs` for one, then closes every folder window opened since and ends its process.
// Whether there was one.
bool CloseNewFolderWindows(DWORD waitToAppearMs);

}  // namespace setup_bench
