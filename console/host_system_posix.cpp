#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <filesystem>
#include <system_error>

#include "console/host_system_os.h"
#include "console/texts.h"
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

std::optional<std::string> appendToLog(const std::string& path, const std::string& text) {
    const int fd = open(path.c_str(),
                        O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == ELOOP) return std::string(text::kLogIsALink);
        // A FIFO nobody reads from: refused at once instead of waiting for a reader.
        if (errno == ENXIO) return std::string(text::kLogNotARegularFile);
        return std::string(std::strerror(errno));
    }
    struct stat st {};
    std::optional<std::string> refused;
    if (fstat(fd, &st) != 0) {
        refused = std::strerror(errno);
    } else if (!S_ISREG(st.st_mode)) {
        refused = text::kLogNotARegularFile;
    } else {
        const ssize_t wrote = write(fd, text.data(), text.size());
        if (wrote < 0) {
            refused = std::strerror(errno);
        } else if (static_cast<size_t>(wrote) != text.size()) {
            refused = std::strerror(ENOSPC);
        }
    }
    if (close(fd) != 0 && !refused) refused = std::strerror(errno);
    return refused;
}

}  // namespace orvia::os
