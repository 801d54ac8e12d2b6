// Outside libraries on POSIX hosts: Windows library names mapped to shared objects.
#pragma once

#include <memory>
#include <string>

#include "platform.h"

namespace qorlink::posix {

// "Ravik.dll" -> "libravik.so": the base name without directories and extension, in lower case,
// with the lib prefix and the .so extension.
std::string sharedObjectName(const std::string& windowsName);

// Loads the library through the normal loader search, then from the running program's
// directory, then from the directory holding the link library itself. Null when none works.
std::unique_ptr<LoadedLibrary> loadSharedObject(const std::string& windowsName);

}  // namespace qorlink::posix
