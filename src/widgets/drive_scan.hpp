// The drives the folder picker lists, read on a thread of their own while the picker's window is made:
// asking the system about its drives takes as long as making several controls.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "ui/handles.hpp"

namespace obsc32 {

struct DriveFacts {
    // The drive type of each letter's root, A first; DRIVE_NO_ROOT_DIR for a letter the system does not know.
    UINT Types[26] = {};
    // The label read for the program's drive when it is listed (see DriveLabel); empty otherwise.
    std::string ProgramDriveLabel;
};

// Removable, fixed, remote, CD-ROM and RAM drives get a row; a letter without a root does not.
bool ListedDriveType(UINT type);
// Reads on the calling thread.
DriveFacts ReadDriveFacts(char programDrive);

class DriveScan {
public:
    // Starts reading.
    explicit DriveScan(char programDrive);
    // Waits for the reading, which uses the object's memory, to end.
    ~DriveScan();
    DriveScan(const DriveScan&) = delete;
    DriveScan& operator=(const DriveScan&) = delete;

    // Waits for the facts; read now when no thread could be started or its reading failed.
    DriveFacts Take();

private:
    struct Shared {
        char programDrive;
        DriveFacts facts;
        bool read = false;
    };
    static DWORD WINAPI Read(void* shared);

    std::unique_ptr<Shared> shared_;
    ui::KernelHandle thread_;
};

}  // namespace obsc32
