#include <windows.h>

#include "library_directory.h"

namespace ulmora {

std::string libraryDirectory() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(&libraryDirectory), &module))
        return ".";
    char path[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameA(module, path, sizeof path);
    if (n == 0 || n >= sizeof path) return ".";
    const std::string file(path, n);
    const size_t separator = file.find_last_of("\\/");
    return separator == std::string::npos ? "." : file.substr(0, separator);
}

}  // namespace ulmora
