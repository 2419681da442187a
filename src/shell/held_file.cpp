#include "shell/held_file.hpp"

#include <windows.h>

#include <vector>

#include "shell/program_file.hpp"
#include "shell/whole_file.hpp"
#include "ui/wide.hpp"

namespace obsc32 {

namespace {
std::optional<FileIdentity> IdentityOfHandle(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// FILE_DISPOSITION_INFO and SetFileInformationByHandle, which systems since Vista have.
struct DispositionInfo {
    BOOLEAN DeleteFile;
};
constexpr int kFileDispositionInfo = 4;
using SetInfoFn = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);
}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    // Backup semantics open folders as well as files.
    ui::FileHandle file(CreateFileW(ui::WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return std::nullopt;
    return IdentityOfHandle(file.Get());
}

HeldFile::HeldFile(const std::string& path)
    : file_(CreateFileW(ui::WidePath(path).c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr,
                        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr)) {}

std::optional<FileIdentity> HeldFile::Identity() const { return IdentityOfHandle(file_.Get()); }

unsigned long HeldFile::Attributes() const {
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileInformationByHandle(file_.Get(), &info) ? info.dwFileAttributes : INVALID_FILE_ATTRIBUTES;
}

std::optional<std::vector<uint8_t>> HeldFile::Bytes() const {
    return ReadWholeFile(file_.Get(), kMaxProgramBytes);
}

bool HeldFile::Delete() {
    static const auto setInfo = reinterpret_cast<SetInfoFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetFileInformationByHandle")));
    if (!setInfo || !file_) return false;
    DispositionInfo info{TRUE};
    return setInfo(file_.Get(), kFileDispositionInfo, &info, sizeof info) != FALSE;
}

}  // namespace obsc32
