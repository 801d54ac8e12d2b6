// Finding camera drives through the ASPI layer: every host adapter it reports, targets 0-7 at
// LUN 0 on each. A target that answers the device-type request is asked for its INQUIRY data
// (a 6-byte CDB, 36 bytes in); the devices whose data marks the medium removable are listed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "win32/aspi_layer_win32.h"

namespace qorlink::win32 {

// "aspi:H:T:L" names of the removable devices present now; none when the layer is not ready.
std::vector<std::string> listAspiDevices(const std::shared_ptr<AspiLayer>& layer);

}  // namespace qorlink::win32
