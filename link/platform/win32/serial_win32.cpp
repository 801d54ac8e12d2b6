#include "win32/serial_win32.h"

#include <cstdlib>

namespace qorlink::win32 {

std::string serialDeviceName(int n) {
    const std::string variable = "QORLINK_COM" + std::to_string(n);
    const char* named = std::getenv(variable.c_str());
    if (named != nullptr && named[0] != '\0') return named;
    return "\\\\.\\COM" + std::to_string(n);
}

std::unique_ptr<SerialPort> openComPort(const std::string&) {
    return nullptr;
}

}  // namespace qorlink::win32
