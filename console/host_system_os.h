// What HostSystem asks of the operating system, one implementation per system
// (host_system_posix.cpp, host_system_win32.cpp).
#pragma once

#include <memory>
#include <string>

#include "console/host.h"

namespace orvia::os {

// The full path of the running program; empty when the system does not tell.
std::string programPath();
// The file the link library in use was loaded from (the program itself when the library is
// linked into it); empty when the system does not tell.
std::string linkLibraryPath();
// Loads the library file at `path`; null when it cannot be loaded.
std::unique_ptr<OutsideLibrary> openLibrary(const std::string& path);
// The machine's host name; empty when the system does not tell.
std::string hostName();

}  // namespace orvia::os
