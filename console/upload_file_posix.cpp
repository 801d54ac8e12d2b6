#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "console/upload_file.h"

namespace orvia {

namespace {

int descriptor(intptr_t handle) {
    return static_cast<int>(handle);
}

}  // namespace

UploadFile::UploadFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return;
    handle_ = fd;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close();
        return;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags != -1) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

std::optional<uint64_t> UploadFile::size() const {
    struct stat st;
    if (fstat(descriptor(handle_), &st) != 0 || st.st_size < 0) return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

size_t UploadFile::readStart(uint8_t* out, size_t n) {
    const int fd = descriptor(handle_);
    if (lseek(fd, 0, SEEK_SET) != 0) return 0;
    size_t done = 0;
    while (done < n) {
        const ssize_t got = ::read(fd, out + done, n - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

void UploadFile::close() {
    if (isOpen()) ::close(descriptor(handle_));
    handle_ = kClosed;
}

}  // namespace orvia
