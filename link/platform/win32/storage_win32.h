// Camera drives on Windows, through the backend chosen for this system (storage_choice_win32.h):
// drive roots ("E:\") with SCSI pass-through on NT systems, "aspi:H:T:L" devices on Windows 9x.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform.h"

namespace qorlink::win32 {

// Names of the removable drives that answer as SCSI devices now.
std::vector<std::string> listCameraDrives();
// Opens one of them; null when it cannot be opened or belongs to the other backend.
std::unique_ptr<ScsiDevice> openCameraDrive(const std::string& name);

}  // namespace qorlink::win32
