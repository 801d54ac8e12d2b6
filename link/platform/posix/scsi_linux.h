// Removable SCSI devices on Linux (cameras presented as USB storage drives).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform.h"

namespace qorlink {

// Device nodes of the removable SCSI devices present now.
std::vector<std::string> listLinuxRemovableScsi();
// Opens one of them for SCSI commands, or returns null.
std::unique_ptr<ScsiDevice> openLinuxScsi(const std::string& name);

}  // namespace qorlink
