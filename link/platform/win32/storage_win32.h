// Camera drives on Windows: SCSI pass-through on NT systems, ASPI on Windows 9x.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform.h"

namespace qorlink::win32 {

// Names of the removable drives that answer as SCSI devices now.
std::vector<std::string> listCameraDrives();
// Opens one of them; null when it cannot be opened.
std::unique_ptr<ScsiDevice> openCameraDrive(const std::string& name);

}  // namespace qorlink::win32
