// What the start-up needs from the machine besides the camera: marker files in the working
// directory, outside libraries loaded by name, and the link library's build identity. The
// program uses HostSystem; tests substitute their own.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "console/build_identity.h"

namespace orvia {

// An outside library, loaded until this object is destroyed.
class OutsideLibrary {
  public:
    virtual ~OutsideLibrary() = default;
    // The exported symbol, or null.
    virtual void* symbol(const char* name) = 0;
};

class Host {
  public:
    virtual ~Host() = default;

    // True when a file of that name (letter case ignored) is in the working directory.
    virtual bool markerFilePresent(std::string_view name) = 0;
    // Loads an outside library by its Windows file name ("Ulmora.dll"); null when it cannot be
    // loaded.
    virtual std::unique_ptr<OutsideLibrary> loadLibrary(std::string_view windowsName) = 0;
    // The build identity of the link library file in use.
    virtual BuildIdentity linkBuildIdentity() = 0;
    // True when an outside library of that name lies in the working directory while
    // loadLibrary() would not find one: a library left where the program never loads from.
    virtual bool libraryOnlyInWorkingDirectory(std::string_view windowsName) {
        (void)windowsName;
        return false;
    }
};

// The running system. Outside libraries are looked for beside the program under their names on
// this system ("Ulmora.dll" is "libulmora.so" on POSIX), then in the "orvia" folder beside the
// link library (an installed system). The link library file is the one beside the program
// ("libqorlink.so", "Qorlink.dll"), else the file the running library was loaded from.
class HostSystem final : public Host {
  public:
    bool markerFilePresent(std::string_view name) override;
    std::unique_ptr<OutsideLibrary> loadLibrary(std::string_view windowsName) override;
    BuildIdentity linkBuildIdentity() override;
    bool libraryOnlyInWorkingDirectory(std::string_view windowsName) override;

    // The directory holding the running program.
    static std::string programDirectory();
};

}  // namespace orvia
