#include "win32/storage_win32.h"

#include "win32/drive_io_win32.h"
#include "win32/drives_win32.h"

namespace qorlink::win32 {

std::vector<std::string> listCameraDrives() {
    return listRemovableDrives(hostDriveIo());
}

std::unique_ptr<ScsiDevice> openCameraDrive(const std::string& name) {
    return openDrive(hostDriveIo(), name);
}

}  // namespace qorlink::win32
