// Removable SCSI devices on Linux (cameras presented as USB storage drives).
//
// Drives are found through sysfs: every /sys/block/sd* whose "removable" attribute is 1 is
// listed under its device node /dev/sdX. Commands go through the SG_IO ioctl, preferably on the
// disk's SCSI generic node /dev/sgN: the kernel lets any process that may open a generic node
// for writing send vendor commands, while on the block node it refuses them to
// processes without CAP_SYS_RAWIO. The block node is the fallback when no generic node exists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform.h"

namespace qorlink {

// Device nodes of the removable SCSI devices present now.
std::vector<std::string> listLinuxRemovableScsi();
// Opens one of them for SCSI commands, or returns null.
std::unique_ptr<ScsiDevice> openLinuxScsi(const std::string& name);

namespace linuxscsi {

// The removable sd disks described under `sysBlock` (normally /sys/block), as nodes in `devDir`,
// sorted by name.
std::vector<std::string> removableDisks(const std::string& sysBlock, const std::string& devDir);
// The SCSI generic node of disk node `diskNode` ("/dev/sdb" → "/dev/sg1"), or "" when the disk
// has none (the sg driver is not loaded, or the name is not an sd disk).
std::string genericNodeOf(const std::string& diskNode, const std::string& sysBlock,
                          const std::string& devDir);

// Whether a finished SG_IO request succeeded: good SCSI status, no host or driver error, and no
// sense data other than NO SENSE.
bool commandSucceeded(uint8_t status, uint16_t hostStatus, uint16_t driverStatus,
                      const uint8_t* sense, size_t senseLength);

// Bytes a finished data-in request delivered into a buffer of `length`: the length less the
// residual count the driver reports (a negative or over-long count is read as nothing missing
// or nothing delivered).
size_t deliveredLength(size_t length, int residual);

}  // namespace linuxscsi
}  // namespace qorlink
