#include "library_file.h"

#include "library_name.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace qorlink::test {

std::string LibraryFileIn(const std::string& directory, const std::string& windowsName) {
    return directory + "/" + nativeLibraryName(windowsName);
}

#ifdef _WIN32

namespace {

class Module final : public LoadedLibrary {
  public:
    explicit Module(HMODULE m) : module_(m) {}
    ~Module() override { FreeLibrary(module_); }
    void* symbol(const char* name) override {
        return reinterpret_cast<void*>(GetProcAddress(module_, name));
    }

  private:
    HMODULE module_;
};

}  // namespace

std::unique_ptr<LoadedLibrary> LoadLibraryFile(const std::string& path) {
    const HMODULE m = LoadLibraryA(path.c_str());
    if (m == nullptr) return nullptr;
    return std::make_unique<Module>(m);
}

bool LibraryFileLoaded(const std::string& path) {
    return GetModuleHandleA(path.c_str()) != nullptr;
}

#else

namespace {

class SharedObject final : public LoadedLibrary {
  public:
    explicit SharedObject(void* h) : handle_(h) {}
    ~SharedObject() override { dlclose(handle_); }
    void* symbol(const char* name) override { return dlsym(handle_, name); }

  private:
    void* handle_;
};

}  // namespace

std::unique_ptr<LoadedLibrary> LoadLibraryFile(const std::string& path) {
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr) return nullptr;
    return std::make_unique<SharedObject>(h);
}

bool LibraryFileLoaded(const std::string& path) {
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (h == nullptr) return false;
    dlclose(h);
    return true;
}

#endif

}  // namespace qorlink::test
