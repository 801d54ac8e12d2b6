#include "library_file.h"

#include "library_name.h"

#ifdef _WIN32
#include <windows.h>

#include "win32/library_win32.h"
#else
#include <dlfcn.h>

#include "posix/library_posix.h"
#endif

namespace qorlink::test {

std::string LibraryFileIn(const std::string& directory, const std::string& windowsName) {
    return directory + "/" + nativeLibraryName(windowsName);
}

#ifdef _WIN32

std::unique_ptr<LoadedLibrary> LoadLibraryFile(const std::string& path) {
    return win32::openDll(path);
}

bool LibraryFileLoaded(const std::string& path) {
    return GetModuleHandleA(path.c_str()) != nullptr;
}

#else

std::unique_ptr<LoadedLibrary> LoadLibraryFile(const std::string& path) {
    return posix::openSharedObject(path);
}

bool LibraryFileLoaded(const std::string& path) {
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (h == nullptr) return false;
    dlclose(h);
    return true;
}

#endif

}  // namespace qorlink::test
