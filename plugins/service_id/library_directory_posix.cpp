#include <dlfcn.h>

#include "library_directory.h"

namespace ulmora {

std::string libraryDirectory() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&libraryDirectory), &info) == 0 ||
        info.dli_fname == nullptr) {
        return ".";
    }
    const std::string path = info.dli_fname;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace ulmora
