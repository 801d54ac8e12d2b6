// A library file loaded by its path, for tests that hand the link library particular builds of
// an outside library or call one directly: dlopen on POSIX, LoadLibrary on Windows.
#pragma once

#include <memory>
#include <string>

#include "platform.h"

namespace qorlink::test {

// The file of outside library `windowsName` ("Ravik.dll") in `directory`, under this host's name.
std::string LibraryFileIn(const std::string& directory, const std::string& windowsName);
// Loads the file at `path`; null when it cannot be loaded.
std::unique_ptr<LoadedLibrary> LoadLibraryFile(const std::string& path);
// Whether the file at `path` is loaded in this process now.
bool LibraryFileLoaded(const std::string& path);

}  // namespace qorlink::test
