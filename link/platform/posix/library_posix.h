// Outside libraries on POSIX hosts: Windows library names loaded as shared objects.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform.h"

namespace qorlink::posix {

// Where an outside library's file is looked for, in order.
struct LibrarySearch {
    std::vector<std::string> paths;  // full paths, tried first
    bool loaderSearch = false;       // then the bare file name through the loader's own search
};

// The search for `file`: the running program's directory, the directory holding the link library
// and its "orvia" subfolder, then the loader's search (its path variable, cache and run paths).
// A loader path variable (`ldLibraryPath`, null when unset) with an empty or relative element
// would make the loader look in the working directory: then only its absolute elements are
// searched, by full path, and the loader's own search is left out.
LibrarySearch librarySearch(const std::string& file, const std::string& programDirectory,
                            const std::string& linkDirectory, const char* ldLibraryPath);

// Loads the library under its native name (library_name.h) along librarySearch. Null when none
// works.
std::unique_ptr<LoadedLibrary> loadSharedObject(const std::string& windowsName);
// Loads the shared object at `path` exactly; null when it cannot be loaded.
std::unique_ptr<LoadedLibrary> openSharedObject(const std::string& path);

}  // namespace qorlink::posix
