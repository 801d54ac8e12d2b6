// COM ports on Windows.
#pragma once

#include <memory>
#include <string>

#include "platform.h"

namespace qorlink::win32 {

// The device of serial port n: $QORLINK_COM<n> when set and not empty, else "\\.\COM<n>".
std::string serialDeviceName(int n);
// Opens a COM port for exclusive use, with the line settings and time-outs it reports; null
// when it cannot be opened, is in use or is no serial device. Call setLine before use.
std::unique_ptr<SerialPort> openComPort(const std::string& device);

}  // namespace qorlink::win32
