#include "common/files.hpp"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "common/registry.hpp"
#include "common/text.hpp"

namespace testing_common {

bool Exists(const std::string& path) {
    return GetFileAttributesW(W(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileBytes(const std::string& path) {
    HANDLE f =
        CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "<none>";
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(f);
    return bytes;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAW e;
    HANDLE find = FindFirstFileW(W(folder + "\\*").c_str(), &e);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &e)) {
        const std::string name = U(e.cFileName);
        if (name == "." || name == "..") continue;
        const std::string inner = folder + "\\" + name;
        SetFileAttributesW(W(inner).c_str(), FILE_ATTRIBUTE_NORMAL);
        if (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(inner);
        else
            DeleteFileW(W(inner).c_str());
    }
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    RemoveDirectoryW(W(folder).c_str());
}

std::string ShellFolder(const char* name) {
    const std::string path = registry::StringOf(
        HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name);
    return path == "<none>" ? std::string() : path;
}

std::string ShortcutTarget(const std::string& file) {
    std::string target;
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* persist = nullptr;
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
            SUCCEEDED(persist->Load(W(file).c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
            target = U(path);
        if (persist) persist->Release();
        link->Release();
    }
    CoUninitialize();
    return target;
}

}  // namespace testing_common
