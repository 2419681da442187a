#include "setup_bench_env.hpp"

#include <algorithm>
#include <cmath>
#include <set>

#include "settings/product.hpp"

namespace setup_bench {

double Now() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double P90(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(std::ceil(0.9 * v.size())) - 1];
}

void Click(HWND button) {
    RECT r;
    GetClientRect(button, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(button, WM_LBUTTONUP, 0, at);
}

std::string TextOf(HWND wnd) {
    char text[1024] = {};
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             5000, &n))
        return {};
    return std::string(text, n < sizeof text ? n : 0);
}

std::string ClassOf(HWND wnd) {
    char name[64] = {};
    GetClassNameA(wnd, name, sizeof name);
    return name;
}

DWORD ProcessOf(HWND wnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    return pid;
}

namespace {
BOOL CALLBACK Collect(HWND wnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    return TRUE;
}
}  // namespace

std::vector<HWND> TopLevel(const char* cls, DWORD pid) {
    std::vector<HWND> all, found;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all)
        if (lstrcmpiA(ClassOf(w).c_str(), cls) == 0 && (!pid || ProcessOf(w) == pid)) found.push_back(w);
    return found;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

// Direct children only: the combo box has an edit of its own.
HWND VisibleChild(HWND parent, const char* cls, const char* text) {
    for (HWND w = nullptr; (w = FindWindowExA(parent, w, cls, nullptr)) != nullptr;)
        if (IsWindowVisible(w) && (!text || TextOf(w) == text)) return w;
    return nullptr;
}

HWND VisibleTopLevel(const char* cls, DWORD pid) {
    for (HWND w : TopLevel(cls, pid))
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

// --- The registry, kept as found -------------------------------------------------------------------

// RegDeleteTreeA is newer than the Windows version the build targets.
LONG DeleteTree(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    LONG r = RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (r != ERROR_SUCCESS) return r;
    for (;;) {
        char name[256];
        DWORD len = sizeof name;
        if (RegEnumKeyExA(key, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if ((r = DeleteTree(key, name)) != ERROR_SUCCESS) break;
    }
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? RegDeleteKeyA(root, path.c_str()) : r;
}

KeyCopy Snapshot(HKEY root, const std::string& path) {
    KeyCopy copy;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return copy;
    copy.exists = true;
    std::vector<BYTE> data(65536);
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameLen = sizeof name, type = 0, size = static_cast<DWORD>(data.size());
        if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
        copy.values.push_back(
            {std::string(name, nameLen), {type, std::string(reinterpret_cast<char*>(data.data()), size)}});
    }
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD len = sizeof name;
        if (RegEnumKeyExA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        copy.keys.push_back({name, Snapshot(root, path + "\\" + name)});
    }
    RegCloseKey(key);
    return copy;
}

void Restore(HKEY root, const std::string& path, const KeyCopy& copy) {
    DeleteTree(root, path);
    HKEY key = nullptr;
    if (!copy.exists || RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                        nullptr) != ERROR_SUCCESS)
        return;
    for (const auto& [name, value] : copy.values)
        RegSetValueExA(key, name.c_str(), 0, value.first, reinterpret_cast<const BYTE*>(value.second.data()),
                       static_cast<DWORD>(value.second.size()));
    RegCloseKey(key);
    for (const auto& [name, sub] : copy.keys) Restore(root, path + "\\" + name, sub);
}

void SetVersion(bool stored) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, obsc32::ProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (stored)
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("12"), 3);
    else
        RegDeleteValueA(key, "Version");
    RegCloseKey(key);
}

std::string ProgramsFolder() {
    char path[MAX_PATH] = {};
    DWORD size = sizeof path - 1;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                 "Programs", RRF_RT_REG_SZ, nullptr, path, &size);
    return path;
}

// --- Files ------------------------------------------------------------------------------------------

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == text.size();
}

// The program with its guide and help, from the build's dist folder when it has them, else stand-ins.
bool MakeDistribution(const std::string& dist, const std::string& exe, const std::string& exeDir) {
    RemoveTree(dist);
    if (!CreateDirectoryA(dist.c_str(), nullptr)) return false;
    if (!CopyFileA(exe.c_str(), (dist + "\\OBSC32.EXE").c_str(), FALSE)) return false;
    for (const char* name : {"OBSC32.TXT", "OBSC32.HLP"}) {
        const std::string built = exeDir + "dist\\" + name, copy = dist + "\\" + name;
        if (Exists(built) ? !CopyFileA(built.c_str(), copy.c_str(), FALSE)
                          : !WriteTextFile(copy, std::string("stand-in ") + name + "\r\n"))
            return false;
    }
    return true;
}

// --- Folder windows Program Manager opens -----------------------------------------------------------

namespace {
std::set<HWND> foldersFound;
}  // namespace

void NoteFolderWindows() {
    for (const char* cls : {"ExplorerWClass", "CabinetWClass"})
        for (HWND w : TopLevel(cls, 0)) foldersFound.insert(w);
}

namespace {
std::vector<HWND> NewFolderWindows() {
    std::vector<HWND> found;
    for (const char* cls : {"ExplorerWClass", "CabinetWClass"})
        for (HWND w : TopLevel(cls, 0))
            if (!foldersFound.count(w)) found.push_back(w);
    return found;
}

}  // namespace

// Under Wine their processes outlive the windows; the shell's own process is never one of them.
bool CloseNewFolderWindows(DWORD waitToAppearMs) {
    for (const DWORD start = GetTickCount();
         NewFolderWindows().empty() && GetTickCount() - start < waitToAppearMs;)
        Sleep(10);
    std::vector<HWND> windows = NewFolderWindows();
    const DWORD shell = ProcessOf(GetDesktopWindow()),
                tray = ProcessOf(FindWindowA("Shell_TrayWnd", nullptr));
    std::set<DWORD> pids;
    for (HWND w : windows) {
        PostMessageA(w, WM_CLOSE, 0, 0);
        const DWORD pid = ProcessOf(w);
        if (pid && pid != shell && pid != tray && pid != GetCurrentProcessId()) pids.insert(pid);
    }
    for (const DWORD start = GetTickCount();
         !NewFolderWindows().empty() && GetTickCount() - start < kDeadlineMs;)
        Sleep(10);
    for (DWORD pid : pids) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!process) continue;
        if (WaitForSingleObject(process, 1000) == WAIT_TIMEOUT) TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    return !windows.empty();
}

}  // namespace setup_bench
