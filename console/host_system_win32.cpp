#include <windows.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "console/host_system_os.h"
#include "console/texts.h"
#include "link/platform/library_name.h"
#include "link/platform/loaded_module.h"
#include "qorlink.h"

namespace orvia::os {

namespace {

// The file a loaded module came from; empty when it cannot be told.
std::string moduleFile(HMODULE module) {
    char path[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameA(module, path, sizeof path);
    if (n == 0 || n >= sizeof path) return {};
    return std::string(path, n);
}

}  // namespace

std::string programPath() {
    return moduleFile(nullptr);
}

std::string linkLibraryPath() {
    HMODULE module = GetModuleHandleA(qorlink::nativeLibraryName("qorlink").c_str());
    if (module != nullptr) return moduleFile(module);
    // Not loaded as a library of its own: linked into a module, found by one of its functions.
    if (!GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(&Cam_reset_dll), &module))
        return {};
    return moduleFile(module);
}

std::unique_ptr<OutsideLibrary> openLibrary(const std::string& path) {
    // The library's own folder is searched for what it needs in turn, not the working directory.
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) return nullptr;
    return std::make_unique<qorlink::LoadedModule<OutsideLibrary>>(module);
}

std::string hostName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    if (!GetComputerNameA(name, &size)) return {};
    return std::string(name, size);
}

namespace {

// The reason a file call failed, in the words the C library gives the same failure.
std::string fileError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return std::strerror(ENOENT);
        case ERROR_ACCESS_DENIED:
            return std::strerror(EACCES);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return std::strerror(ENOSPC);
        default:
            return std::system_category().message(static_cast<int>(error));
    }
}

}  // namespace

std::optional<std::string> appendToLog(const std::string& path, const std::string& text) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0)
        return std::string(text::kLogNotARegularFile);
    const HANDLE file =
        CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return fileError(GetLastError());
    std::optional<std::string> refused;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        refused = text::kLogNotARegularFile;
    } else {
        DWORD wrote = 0;
        if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) ||
            wrote != text.size())
            refused = fileError(GetLastError());
    }
    CloseHandle(file);
    return refused;
}

}  // namespace orvia::os
