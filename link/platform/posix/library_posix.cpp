#include "posix/library_posix.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
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

}  // namespace

std::unique_ptr<LoadedLibrary> openSharedObject(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return nullptr;
    return std::make_unique<LoadedModule<LoadedLibrary>>(handle);
}

LibrarySearch librarySearch(const std::string& file, const std::string& programDirectory,
                            const std::string& linkDirectory, const char* ldLibraryPath) {
    LibrarySearch search;
    // Only absolute directories: anything else would be looked up from the working directory.
    const auto addIn = [&](const std::string& directory) {
        if (!directory.empty() && directory.front() == '/')
            search.paths.push_back(directory + "/" + file);
    };
    addIn(programDirectory);
    addIn(linkDirectory);
    // An installed system keeps the outside libraries in a subfolder of the library directory.
    if (!linkDirectory.empty()) addIn(linkDirectory + "/orvia");

    std::vector<std::string> elements;
    bool safe = true;
    if (ldLibraryPath != nullptr) {
        const std::string variable = ldLibraryPath;
        size_t begin = 0;
        for (;;) {
            const size_t end = variable.find_first_of(":;", begin);
            elements.push_back(variable.substr(begin, end - begin));
            safe = safe && !elements.back().empty() && elements.back().front() == '/';
            if (end == std::string::npos) break;
            begin = end + 1;
        }
    }
    search.loaderSearch = safe;
    if (!safe) {
        for (const std::string& directory : elements)
            addIn(directory);
    }
    return search;
}

std::unique_ptr<LoadedLibrary> loadSharedObject(const std::string& windowsName) {
    const std::string file = nativeLibraryName(windowsName);
    const LibrarySearch search = librarySearch(file, programDirectory(), linkLibraryDirectory(),
                                               std::getenv("LD_LIBRARY_PATH"));
    for (const std::string& path : search.paths) {
        if (std::unique_ptr<LoadedLibrary> library = openSharedObject(path)) return library;
    }
    return search.loaderSearch ? openSharedObject(file) : nullptr;
}

}  // namespace qorlink::posix
