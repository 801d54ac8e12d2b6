// Commands to an open camera drive through the system's direct SCSI pass-through: each one is a
// pass-through request (the driver's structure, then sense space) handed to the drive as the
// input and output of one device control; the data moves straight to and from the caller's
// buffer.
#pragma once

#include <memory>

#include "platform.h"
#include "win32/drive_io_win32.h"

namespace qorlink::win32 {

// Takes over `device` (closed through `io` when the result is destroyed).
std::unique_ptr<ScsiDevice> passThroughDevice(DriveIo& io, HANDLE device);

}  // namespace qorlink::win32
