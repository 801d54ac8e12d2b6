// Outside libraries on POSIX hosts: Windows library names loaded as shared objects.
#pragma once

#include <memory>
#include <string>

#include "platform.h"

namespace qorlink::posix {

// Loads the library, under its native name (library_name.h), through the normal loader search, then
// from the running program's directory, then from the directory holding the link library itself.
// Null when none works.
std::unique_ptr<LoadedLibrary> loadSharedObject(const std::string& windowsName);
// Loads the shared object at `path` exactly; null when it cannot be loaded.
std::unique_ptr<LoadedLibrary> openSharedObject(const std::string& path);

}  // namespace qorlink::posix
