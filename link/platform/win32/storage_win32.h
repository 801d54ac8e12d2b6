// Camera drives on Windows: drive roots ("E:\") spoken to with SCSI pass-through.
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
