// What the folder picker asks of a drive: its label, its network name, and whether it is ready.
#pragma once
#include <string>

#include "ui/component.hpp"

namespace obsc32 {

// A drive that cannot say its size: no disc, no medium, or gone.
class EDriveError : public ui::Error {
public:
    EDriveError() : ui::Error("Drive not ready") {}
};

// "[label]", "[]" for a drive without one or one that cannot be read; the letters folded to lower case
// for a lower-case drive letter, else to upper case.
std::string VolumeLabel(char letter);
// The remote name of a network drive, folded like the label; the volume label when it has none.
std::string NetworkName(char letter);
// What the picker shows after a drive's letter: the volume label, or the network name of a remote drive;
// empty for a drive of any other type.
std::string DriveLabel(char letter);
// Throws EDriveError when the drive cannot say its size.
void CheckDrive(char letter);

}  // namespace obsc32
