// What HostSystem asks of the operating system, one implementation per system
// (host_system_posix.cpp, host_system_win32.cpp).
#pragma once

#include <memory>
#include <optional>
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
// Appends `text` to the log file at `path` in one write, creating the file when it is missing.
// Only a regular file is written: a FIFO, a device or a directory is refused without waiting,
// and a path whose last part is a symbolic link is refused rather than followed (a link planted
// in a shared folder must not redirect the log). Nothing when written, else why not.
std::optional<std::string> appendToLog(const std::string& path, const std::string& text);

}  // namespace orvia::os
