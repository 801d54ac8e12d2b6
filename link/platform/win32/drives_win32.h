// Camera drives on NT systems: the removable drives, found by their roots ("E:\") and opened
// as devices ("\\.\E:") for SCSI pass-through.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform.h"
#include "win32/drive_io_win32.h"

namespace qorlink::win32 {

// Roots of the removable drives present now, never the floppy drive A:. The system's boxes for
// drives without media stay away meanwhile.
std::vector<std::string> listRemovableDrives(DriveIo& io);

// Opens the drive with root `root` for reading and writing, shared with every other user, and
// sends it the camera drive set-up control. Null for a name that is not a drive root, for the
// floppy drive, or when the system refuses the open.
std::unique_ptr<ScsiDevice> openDrive(DriveIo& io, const std::string& root);

}  // namespace qorlink::win32
