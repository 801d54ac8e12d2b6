#include "win32/library_win32.h"

#include <windows.h>

#include "library_name.h"
#include "loaded_module.h"

namespace qorlink::win32 {

namespace {

std::string directoryOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string moduleDirectory(HMODULE module) {
    char buf[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameA(module, buf, sizeof buf);
    if (n == 0 || n >= sizeof buf) return {};
    return directoryOf(std::string(buf, n));
}

// The module that holds the link library (the DLL, or the program it is linked into).
HMODULE linkModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&loadDll), &module);
    return module;
}

HMODULE loadFrom(const std::string& directory, const std::string& file) {
    if (directory.empty()) return nullptr;
    return LoadLibraryExA((directory + "\\" + file).c_str(), nullptr,
                          LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

std::unique_ptr<LoadedLibrary> openDll(const std::string& path) {
    const HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) return nullptr;
    return std::make_unique<LoadedModule<LoadedLibrary>>(module);
}

std::unique_ptr<LoadedLibrary> loadDll(const std::string& windowsName) {
    const std::string file = nativeLibraryName(windowsName);
    HMODULE module = loadFrom(moduleDirectory(nullptr), file);
    const std::string linkDirectory = moduleDirectory(linkModule());
    if (module == nullptr) module = loadFrom(linkDirectory, file);
    if (module == nullptr) module = loadFrom(linkDirectory + "\\orvia", file);
    if (module == nullptr) module = LoadLibraryA(file.c_str());
    if (module == nullptr) return nullptr;
    return std::make_unique<LoadedModule<LoadedLibrary>>(module);
}

}  // namespace qorlink::win32
