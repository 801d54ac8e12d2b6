#include <sys/stat.h>

#include <cstdlib>
#include <ctime>

#include "environment.h"

namespace orvia::testing {

void setEnvironment(const char* name, const char* value) {
    setenv(name, value, 1);
}

void removeEnvironment(const char* name) {
    unsetenv(name);
}

void reloadTimeZone() {
    tzset();
}

std::string makeNonDiskFile(const std::string& folder, const std::string& extension) {
    const std::string path = folder + "/fifo" + extension;
    mkfifo(path.c_str(), 0600);
    return path;
}

}  // namespace orvia::testing
