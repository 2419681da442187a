#include "widgets/drive_info.hpp"

#include <windows.h>
#include <winnetwk.h>

#include "ui/error_mode.hpp"
#include "widgets/dir_rows.hpp"

namespace obsc32 {

namespace {
// The system's own case mapping for file names, chosen by the case of the drive letter.
std::string FoldLike(char letter, std::string text) {
    if (text.empty()) return text;
    DWORD n = static_cast<DWORD>(text.size());
    if (static_cast<unsigned char>(letter) >= 0x61)
        CharLowerBuffA(text.data(), n);
    else
        CharUpperBuffA(text.data(), n);
    return text;
}
}  // namespace

std::string VolumeLabel(char letter) {
    char name[261] = {};
    bool read;
    {
        ui::CriticalErrorsOff quiet;
        read = GetVolumeInformationA(DriveRoot(letter).c_str(), name, sizeof name, nullptr, nullptr, nullptr,
                                     nullptr, 0);
    }
    return "[" + FoldLike(letter, read ? name : "") + "]";
}

std::string NetworkName(char letter) {
    char local[3] = {letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter, ':', 0};
    char remote[261] = {};
    DWORD size = sizeof remote;
    if (WNetGetConnectionA(local, remote, &size) != NO_ERROR) return VolumeLabel(letter);
    remote[sizeof remote - 1] = 0;
    return FoldLike(letter, remote);
}

std::string DriveLabel(char letter) {
    switch (GetDriveTypeA(DriveRoot(letter).c_str())) {
        case DRIVE_REMOVABLE:
        case DRIVE_FIXED:
        case DRIVE_CDROM:
        case DRIVE_RAMDISK: return VolumeLabel(letter);
        case DRIVE_REMOTE: return NetworkName(letter);
        default: return {};
    }
}

void CheckDrive(char letter) {
    ui::CriticalErrorsOff quiet;
    ULARGE_INTEGER total{};
    if (!GetDiskFreeSpaceExA(DriveRoot(letter).c_str(), nullptr, &total, nullptr)) throw EDriveError();
}

}  // namespace obsc32
