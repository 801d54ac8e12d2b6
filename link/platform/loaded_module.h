// A library the host has loaded, behind its user's own interface, and closed when it goes. Header
// only, so that the console (which links only the shared library) wraps its libraries the same
// way as the link library does.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace qorlink {

#if defined(_WIN32)
using ModuleHandle = HMODULE;
#else
using ModuleHandle = void*;
#endif

// `Interface` declares `virtual void* symbol(const char* name)`; the handle is a loaded module
// (LoadLibrary on Windows, dlopen elsewhere) that this object owns.
template <typename Interface>
class LoadedModule final : public Interface {
  public:
    explicit LoadedModule(ModuleHandle handle) : handle_(handle) {}
    ~LoadedModule() override {
#if defined(_WIN32)
        FreeLibrary(handle_);
#else
        dlclose(handle_);
#endif
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    void* symbol(const char* name) override {
#if defined(_WIN32)
        return reinterpret_cast<void*>(GetProcAddress(handle_, name));
#else
        return dlsym(handle_, name);
#endif
    }

  private:
    ModuleHandle handle_;
};

}  // namespace qorlink
