#include <windows.h>

#include <algorithm>

#include "console/upload_file.h"

namespace orvia {

namespace {

HANDLE fileHandle(intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The most one ReadFile call is asked for.
constexpr size_t kReadChunk = size_t{1} << 30;

}  // namespace

UploadFile::UploadFile(const std::string& path) {
    // Without backup semantics a directory does not open.
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    handle_ = reinterpret_cast<intptr_t>(file);
    if (GetFileType(file) != FILE_TYPE_DISK) close();
}

std::optional<uint64_t> UploadFile::size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(fileHandle(handle_), &size) || size.QuadPart < 0) return std::nullopt;
    return static_cast<uint64_t>(size.QuadPart);
}

size_t UploadFile::readStart(uint8_t* out, size_t n) {
    const HANDLE file = fileHandle(handle_);
    const LARGE_INTEGER start{};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return 0;
    size_t done = 0;
    while (done < n) {
        const DWORD want = static_cast<DWORD>(std::min(n - done, kReadChunk));
        DWORD got = 0;
        if (!ReadFile(file, out + done, want, &got, nullptr) || got == 0) break;
        done += got;
    }
    return done;
}

void UploadFile::close() {
    if (isOpen()) CloseHandle(fileHandle(handle_));
    handle_ = kClosed;
}

}  // namespace orvia
