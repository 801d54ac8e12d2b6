// Outside libraries on Windows, loaded by name.
#pragma once

#include <memory>
#include <string>

#include "platform.h"

namespace qorlink::win32 {

// Loads `windowsName` ("Ravik.dll") from the program's folder, the link library's folder, its
// "orvia" subfolder, then the system's search path; null when none has it.
std::unique_ptr<LoadedLibrary> loadDll(const std::string& windowsName);
// Loads the DLL at `path` exactly; null when it cannot be loaded.
std::unique_ptr<LoadedLibrary> openDll(const std::string& path);

}  // namespace qorlink::win32
