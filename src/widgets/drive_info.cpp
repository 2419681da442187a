#include "widgets/drive_info.hpp"

#include <windows.h>
#include <winnetwk.h>

#include "ui/error_mode.hpp"
#include "ui/wide.hpp"
#include "widgets/dir_rows.hpp"

namespace obsc32 {

namespace {
// The system's own case mapping for file names, chosen by the case of the drive letter.
std::string FoldLike(char letter, const std::string& text) {
    std::wstring wide = ui::Wide(text);
    if (wide.empty()) return text;
    DWORD n = static_cast<DWORD>(wide.size());
    if (static_cast<unsigned char>(letter) >= 0x61)
        CharLowerBuffW(wide.data(), n);
    else
        CharUpperBuffW(wide.data(), n);
    return ui::Narrow(wide);
}
}  // namespace

std::string VolumeLabel(char letter) {
    wchar_t name[261] = {};
    bool read;
    {
        ui::CriticalErrorsOff quiet;
        read = GetVolumeInformationW(ui::Wide(DriveRoot(letter)).c_str(), name, 261, nullptr, nullptr,
                                     nullptr, nullptr, 0);
    }
    return "[" + FoldLike(letter, read ? ui::Narrow(name) : "") + "]";
}

std::string NetworkName(char letter) {
    wchar_t local[3] = {letter >= 'a' && letter <= 'z' ? static_cast<wchar_t>(letter - 'a' + 'A')
                                                       : static_cast<wchar_t>(letter),
                        L':', 0};
    wchar_t remote[261] = {};
    DWORD size = 261;
    if (WNetGetConnectionW(local, remote, &size) != NO_ERROR) return VolumeLabel(letter);
    remote[260] = 0;
    return FoldLike(letter, ui::Narrow(remote));
}

std::string DriveLabel(char letter) {
    switch (GetDriveTypeW(ui::Wide(DriveRoot(letter)).c_str())) {
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
    if (!GetDiskFreeSpaceExW(ui::Wide(DriveRoot(letter)).c_str(), nullptr, &total, nullptr))
        throw EDriveError();
}

}  // namespace obsc32
