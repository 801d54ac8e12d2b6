#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "console/host_system_os.h"
#include "link/platform/loaded_module.h"
#include "qorlink.h"

namespace orvia::os {

std::string programPath() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string linkLibraryPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&Cam_reset_dll), &info) == 0 || info.dli_fname == nullptr)
        return {};
    return info.dli_fname;
}

std::unique_ptr<OutsideLibrary> openLibrary(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return nullptr;
    return std::make_unique<qorlink::LoadedModule<OutsideLibrary>>(handle);
}

std::string hostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

}  // namespace orvia::os
