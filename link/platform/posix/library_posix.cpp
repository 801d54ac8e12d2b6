#include "posix/library_posix.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

#include "library_name.h"
#include "loaded_module.h"

namespace qorlink::posix {

namespace {

std::string directoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string programDirectory() {
    std::vector<char> buf(4096);
    ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return {};
    return directoryOf(std::string(buf.data(), static_cast<size_t>(n)));
}

std::string linkLibraryDirectory() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&loadSharedObject), &info) == 0 || info.dli_fname == nullptr)
        return {};
    return directoryOf(info.dli_fname);
}

void* openFrom(const std::string& directory, const std::string& file) {
    if (directory.empty()) return nullptr;
    return dlopen((directory + "/" + file).c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

std::unique_ptr<LoadedLibrary> openSharedObject(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return nullptr;
    return std::make_unique<LoadedModule<LoadedLibrary>>(handle);
}

std::unique_ptr<LoadedLibrary> loadSharedObject(const std::string& windowsName) {
    const std::string file = nativeLibraryName(windowsName);
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) handle = openFrom(programDirectory(), file);
    if (handle == nullptr) handle = openFrom(linkLibraryDirectory(), file);
    // An installed system keeps the outside libraries in a subfolder of the library directory.
    if (handle == nullptr) handle = openFrom(linkLibraryDirectory() + "/orvia", file);
    if (handle == nullptr) return nullptr;
    return std::make_unique<LoadedModule<LoadedLibrary>>(handle);
}

}  // namespace qorlink::posix
