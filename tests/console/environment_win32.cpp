#include <cstdlib>
#include <ctime>

#include "environment.h"

namespace orvia::testing {

// The C library's copy of the environment and the process's own are both updated.
void setEnvironment(const char* name, const char* value) {
    _putenv_s(name, value);
}

// An empty value removes the variable.
void removeEnvironment(const char* name) {
    _putenv_s(name, "");
}

void reloadTimeZone() {
    _tzset();
}

// The device name stands for the device in any folder and with any extension.
std::string makeNonDiskFile(const std::string& folder, const std::string& extension) {
    return folder + "\\NUL" + extension;
}

}  // namespace orvia::testing
