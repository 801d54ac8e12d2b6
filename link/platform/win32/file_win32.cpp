#include "win32/file_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>

namespace qorlink::win32 {

FileRead readWholeFile(intptr_t file, std::vector<uint8_t>* bytes) {
    const HANDLE handle = reinterpret_cast<HANDLE>(file);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return FileRead::SizeUnknown;
    // A pipe or device has no start to read from.
    if (GetFileType(handle) != FILE_TYPE_DISK) return FileRead::Failed;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size) || size.QuadPart < 0) return FileRead::SizeUnknown;
    if (static_cast<uint64_t>(size.QuadPart) > SIZE_MAX) return FileRead::Failed;
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(handle, start, nullptr, FILE_BEGIN)) return FileRead::Failed;
    const size_t total = static_cast<size_t>(size.QuadPart);
    std::vector<uint8_t> data;
    try {
        data.resize(total);
    } catch (const std::bad_alloc&) {
        return FileRead::Failed;
    }
    size_t done = 0;
    while (done < total) {
        const DWORD want = static_cast<DWORD>(std::min<size_t>(total - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(handle, data.data() + done, want, &got, nullptr) || got == 0)
            return FileRead::Failed;  // a file that shrank is as bad as a failed read
        done += got;
    }
    *bytes = std::move(data);
    return FileRead::Ok;
}

}  // namespace qorlink::win32
