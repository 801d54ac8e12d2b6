#include "open_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace qorlink::test {

#ifdef _WIN32

namespace {

// A new file in the temporary folder, deleted when its handle closes; INVALID_HANDLE_VALUE when
// none could be made.
HANDLE createScratchFile() {
    char folder[MAX_PATH + 1];
    char path[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof folder, folder);
    if (n == 0 || n > MAX_PATH || GetTempFileNameA(folder, "orv", 0, path) == 0)
        return INVALID_HANDLE_VALUE;
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

}  // namespace

OpenFile::OpenFile(std::string_view bytes) {
    const HANDLE file = createScratchFile();
    handle_ = reinterpret_cast<intptr_t>(file);
    DWORD written = 0;
    ok_ = file != INVALID_HANDLE_VALUE &&
          WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
          written == bytes.size();
}

OpenFile::~OpenFile() {
    const HANDLE file = reinterpret_cast<HANDLE>(handle_);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

OpenPipe::OpenPipe() {
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, nullptr, 0)) return;
    readEnd_ = reinterpret_cast<intptr_t>(readEnd);
    writeEnd_ = reinterpret_cast<intptr_t>(writeEnd);
}

OpenPipe::~OpenPipe() {
    if (readEnd_ != -1) CloseHandle(reinterpret_cast<HANDLE>(readEnd_));
    if (writeEnd_ != -1) CloseHandle(reinterpret_cast<HANDLE>(writeEnd_));
}

#else

OpenFile::OpenFile(std::string_view bytes) {
    const int fd = memfd_create("orvia-test", MFD_CLOEXEC);
    handle_ = fd;
    ok_ = fd >= 0 && write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

OpenFile::~OpenFile() {
    if (handle_ >= 0) close(static_cast<int>(handle_));
}

OpenPipe::OpenPipe() {
    int ends[2];
    if (pipe(ends) != 0) return;
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
}

OpenPipe::~OpenPipe() {
    if (readEnd_ >= 0) close(static_cast<int>(readEnd_));
    if (writeEnd_ >= 0) close(static_cast<int>(writeEnd_));
}

#endif

}  // namespace qorlink::test
