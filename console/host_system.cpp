#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "console/host.h"
#include "link/platform/library_name.h"
#include "qorlink.h"

namespace orvia {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

class DlLibrary final : public OutsideLibrary {
  public:
    explicit DlLibrary(void* handle) : handle_(handle) {}
    ~DlLibrary() override { dlclose(handle_); }
    void* symbol(const char* name) override { return dlsym(handle_, name); }

  private:
    void* handle_;
};

}  // namespace

std::string HostSystem::programDirectory() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return ".";
    return exe.parent_path().string();
}

bool HostSystem::markerFilePresent(std::string_view name) {
    std::error_code ec;
    const std::string wanted = lower(name);
    for (const auto& entry : std::filesystem::directory_iterator(".", ec)) {
        if (lower(entry.path().filename().string()) == wanted) return true;
    }
    return false;
}

std::unique_ptr<OutsideLibrary> HostSystem::loadLibrary(std::string_view windowsName) {
    const std::string file = qorlink::nativeLibraryName(windowsName);
    const std::string path = programDirectory() + "/" + file;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    // An installed system keeps them in the "orvia" subfolder beside the link library.
    Dl_info info{};
    if (handle == nullptr && dladdr(reinterpret_cast<void*>(&Cam_reset_dll), &info) != 0 &&
        info.dli_fname != nullptr) {
        const auto installed = std::filesystem::path(info.dli_fname).parent_path() / "orvia" / file;
        handle = dlopen(installed.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    if (handle == nullptr) return nullptr;
    return std::make_unique<DlLibrary>(handle);
}

BuildIdentity HostSystem::linkBuildIdentity() {
    std::error_code ec;
    const std::string beside = programDirectory() + "/" + qorlink::nativeLibraryName("qorlink");
    if (std::filesystem::exists(beside, ec)) return readBuildIdentity(beside);
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&Cam_reset_dll), &info) != 0 && info.dli_fname != nullptr) {
        return readBuildIdentity(info.dli_fname);
    }
    return {};
}

}  // namespace orvia
