// Serial lines on POSIX terminals: real adapters and pseudo-terminals alike.
#pragma once

#include <memory>
#include <string>

#include "platform.h"

namespace qorlink::posix {

// The device of serial port n: $QORLINK_COM<n> when set and not empty, else /dev/ttyS<n-1>.
std::string serialDeviceName(int n);

// The termios speed constant for a baud rate, or 0 for a rate the line does not offer.
unsigned speedConstant(int baud);

// Opens a terminal device for exclusive use while the port is open (an advisory lock, so even a
// privileged second opener is refused, and TIOCEXCL, cleared again on closing). The line is left
// raw and non-blocking; call setLine before use.
// Null when the device cannot be opened or is already in use.
std::unique_ptr<SerialPort> openSerialDevice(const std::string& path);

}  // namespace qorlink::posix
