// No SCSI access on this host yet: no removable device is ever found.
#include "posix/scsi_linux.h"

namespace qorlink {

std::vector<std::string> listLinuxRemovableScsi() {
    return {};
}

std::unique_ptr<ScsiDevice> openLinuxScsi(const std::string&) {
    return nullptr;
}

}  // namespace qorlink
