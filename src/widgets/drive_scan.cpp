#include "widgets/drive_scan.hpp"

#include "ui/wide.hpp"
#include "widgets/dir_rows.hpp"
#include "widgets/drive_info.hpp"

namespace obsc32 {

namespace {
int LetterIndex(char letter) {
    if (letter >= 'a' && letter <= 'z') return letter - 'a';
    if (letter >= 'A' && letter <= 'Z') return letter - 'A';
    return -1;
}
}  // namespace

bool ListedDriveType(UINT type) { return type >= DRIVE_REMOVABLE && type <= DRIVE_RAMDISK; }

DriveFacts ReadDriveFacts(char programDrive) {
    DriveFacts facts;
    // A letter the system does not know has no root; asking it once spares the slow question for each.
    const DWORD known = GetLogicalDrives();
    for (int i = 0; i < 26; ++i)
        facts.Types[i] = known & (1u << i)
                             ? GetDriveTypeW(ui::Wide(DriveRoot(static_cast<char>('A' + i))).c_str())
                             : DRIVE_NO_ROOT_DIR;
    const int program = LetterIndex(programDrive);
    if (program >= 0 && ListedDriveType(facts.Types[program]))
        facts.ProgramDriveLabel = DriveLabel(programDrive);
    return facts;
}

DriveScan::DriveScan(char programDrive) : shared_(new Shared{programDrive, {}, false}) {
    thread_.Reset(CreateThread(nullptr, 0, Read, shared_.get(), 0, nullptr));
}

DriveScan::~DriveScan() {
    if (thread_) WaitForSingleObject(thread_.Get(), INFINITE);
}

DWORD WINAPI DriveScan::Read(void* shared) {
    auto* s = static_cast<Shared*>(shared);
    try {
        s->facts = ReadDriveFacts(s->programDrive);
        s->read = true;
    } catch (...) {
        // Read again on the picker's own thread, where a failure is reported.
    }
    return 0;
}

DriveFacts DriveScan::Take() {
    if (thread_) {
        WaitForSingleObject(thread_.Get(), INFINITE);
        thread_.Reset();
        if (shared_->read) return std::move(shared_->facts);
    }
    return ReadDriveFacts(shared_->programDrive);
}

}  // namespace obsc32
