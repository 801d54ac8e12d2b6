// A device on an ASPI host adapter, named "aspi:H:T:L" (adapter, target, LUN in decimal).
//
// Each command is an execute request with event notification. The device waits for the event up
// to the command's time-out; a request still held then is aborted, and one the adapter does not
// give back even to the abort keeps its memory (block, data and event) for the life of the
// process, since the adapter may still write into it. The device takes no further commands then.
// Data moves through the request's own buffer, never straight into the caller's.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform.h"
#include "win32/aspi_layer_win32.h"

namespace qorlink::win32 {

struct AspiAddress {
    uint8_t adapter = 0;
    uint8_t target = 0;
    uint8_t lun = 0;
};

std::string aspiName(const AspiAddress& address);
// The address of an "aspi:H:T:L" name with a target 0-7; nullopt for any other name.
std::optional<AspiAddress> parseAspiName(const std::string& name);

// Null when the device's completion event cannot be created.
std::unique_ptr<ScsiDevice> openAspiDevice(std::shared_ptr<AspiLayer> layer,
                                           const AspiAddress& address);

}  // namespace qorlink::win32
