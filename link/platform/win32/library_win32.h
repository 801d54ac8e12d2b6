// Outside libraries on Windows, loaded by name.
#pragma once

#include <memory>
#include <string>

#include "platform.h"

namespace qorlink::win32 {

// Loads `windowsName` ("Ravik.dll") from the program's folder, the link library's folder, its
// "orvia" subfolder, then the system's search path; null when none has it.
std::unique_ptr<LoadedLibrary> loadDll(const std::string& windowsName);

}  // namespace qorlink::win32
