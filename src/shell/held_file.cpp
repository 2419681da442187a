#include "shell/held_file.hpp"

#include <windows.h>

#include <vector>

#include "shell/program_file.hpp"
#include "shell/system_paths.hpp"
#include "shell/whole_file.hpp"

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
    ui::FileHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return std::nullopt;
    return IdentityOfHandle(file.Get());
}

HeldFile::HeldFile(const std::string& path)
    : file_(CreateFileA(path.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr)) {}

std::optional<FileIdentity> HeldFile::Identity() const { return IdentityOfHandle(file_.Get()); }

std::string HeldFile::InternalName() const {
    // The version resource is read from a private copy of the held bytes: the path could lead elsewhere by
    // now, the handle cannot.
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(file_.Get(), kMaxProgramBytes);
    if (!bytes) return {};
    const auto read = static_cast<DWORD>(bytes->size());
    char name[MAX_PATH];
    if (!GetTempFileNameA(TempFolder().c_str(), "obs", 0, name)) return {};
    std::string internal;
    {
        ui::FileHandle copy(
            CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
        DWORD written = 0;
        if (copy && WriteFile(copy.Get(), bytes->data(), read, &written, nullptr) && written == read) {
            copy.Reset();
            internal = InternalNameOf(name);
        }
    }
    DeleteFileA(name);
    return internal;
}

bool HeldFile::Delete() {
    static const auto setInfo = reinterpret_cast<SetInfoFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetFileInformationByHandle")));
    if (!setInfo || !file_) return false;
    DispositionInfo info{TRUE};
    return setInfo(file_.Get(), kFileDispositionInfo, &info, sizeof info) != FALSE;
}

}  // namespace obsc32
