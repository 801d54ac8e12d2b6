// A file chosen for upload, open for reading until this object goes. Only files on a disk open:
// the open never blocks (a pipe or device chosen by mistake cannot hold the procedure) and a
// directory is refused instead of failing later in the middle of a transfer. One implementation
// per system (upload_file_posix.cpp, upload_file_win32.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace orvia {

class UploadFile {
  public:
    explicit UploadFile(const std::string& path);
    ~UploadFile() { close(); }
    UploadFile(const UploadFile&) = delete;
    UploadFile& operator=(const UploadFile&) = delete;

    bool isOpen() const { return handle_ != kClosed; }
    // What the link library reads the file through: a file descriptor on POSIX, a file handle
    // on Windows.
    intptr_t handle() const { return handle_; }

    // The size in bytes; nothing when it cannot be told.
    std::optional<uint64_t> size() const;

    // Reads up to `n` bytes from the start of the file into `out`; returns how many it holds
    // there (0 when reading failed), never more than the file has.
    size_t readStart(uint8_t* out, size_t n);

    void close();

  private:
    // No descriptor is -1 and no handle is INVALID_HANDLE_VALUE, which is -1 as well.
    static constexpr intptr_t kClosed = -1;
    intptr_t handle_ = kClosed;
};

}  // namespace orvia
