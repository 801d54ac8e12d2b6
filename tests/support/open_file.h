// A temporary file holding given bytes, open the way the host platform's readOpenFile takes a
// caller's file: a file descriptor on POSIX, a file HANDLE on Windows. It is left positioned at
// its end and is gone once the object is.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace qorlink::test {

class OpenFile {
  public:
    explicit OpenFile(std::string_view bytes);
    explicit OpenFile(const std::vector<uint8_t>& bytes)
        : OpenFile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())) {}
    ~OpenFile();
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    // False when the file could not be made or written in full.
    bool ok() const { return ok_; }
    // The handle to give Cam_load_file_data.
    intptr_t handle() const { return handle_; }

  private:
    intptr_t handle_ = -1;  // -1 is also INVALID_HANDLE_VALUE
    bool ok_ = false;
};

// The reading end of an empty pipe, in the same form: an open file that has no start to read
// from.
class OpenPipe {
  public:
    OpenPipe();
    ~OpenPipe();
    OpenPipe(const OpenPipe&) = delete;
    OpenPipe& operator=(const OpenPipe&) = delete;

    bool ok() const { return readEnd_ != -1; }
    intptr_t handle() const { return readEnd_; }

  private:
    intptr_t readEnd_ = -1;
    intptr_t writeEnd_ = -1;
};

}  // namespace qorlink::test
