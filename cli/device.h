// The serial devices and camera drives a station has, and why a named serial device cannot be
// used, told apart before the link library is asked to open it: a path that does not exist, a
// device this user may not open, and a device another program holds.
#pragma once

#include <string>
#include <vector>

namespace orvia::cli {

// The device of serial port `port` (1 or 2), as the link library names it: $QORLINK_COM<port>
// when set, else /dev/ttyS<port-1>.
std::string serialDevicePath(int port);

struct DeviceCheck {
    enum class Problem { None, Missing, NoPermission, Busy } problem = Problem::None;
    // For NoPermission: the group the device belongs to (empty when it cannot be told).
    std::string group;
};
// Opens the device without waiting for a carrier and takes, then drops, its advisory lock (the
// link library takes the same lock, so a port another program uses is found busy here).
DeviceCheck checkSerialDevice(const std::string& path);

// Serial devices that may lead to a camera: USB serial adapters, modem-class devices and the
// serial ports the kernel found hardware behind, with the devices named by $QORLINK_COM1/2.
std::vector<std::string> candidateSerialDevices();
// Removable drives, as "<device> <vendor> <model>": a camera's USB storage is one of them.
std::vector<std::string> candidateDrives();

}  // namespace orvia::cli
