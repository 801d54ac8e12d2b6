#include "posix/file_posix.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

namespace qorlink::posix {

FileRead readWholeFile(int fd, std::vector<uint8_t>* bytes) {
    struct stat st;
    if (fstat(fd, &st) != 0 || st.st_size < 0) return FileRead::SizeUnknown;
    if (lseek(fd, 0, SEEK_SET) != 0) return FileRead::Failed;
    const size_t size = static_cast<size_t>(st.st_size);
    std::vector<uint8_t> data;
    try {
        data.resize(size);
    } catch (const std::bad_alloc&) {
        return FileRead::Failed;
    }
    size_t done = 0;
    while (done < size) {
        const ssize_t got = read(fd, data.data() + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return FileRead::Failed;  // a file that shrank is as bad as a failed read
        done += static_cast<size_t>(got);
    }
    *bytes = std::move(data);
    return FileRead::Ok;
}

}  // namespace qorlink::posix
