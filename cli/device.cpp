#include "cli/device.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orvia::cli {

namespace fs = std::filesystem;

namespace {

std::string firstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\n'))
        line.pop_back();
    return line;
}

std::string groupOf(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return {};
    const group* g = getgrgid(st.st_gid);
    return g != nullptr ? g->gr_name : std::to_string(st.st_gid);
}

}  // namespace

std::string serialDevicePath(int port) {
    const std::string variable = "QORLINK_COM" + std::to_string(port);
    if (const char* named = std::getenv(variable.c_str()); named != nullptr && *named != '\0')
        return named;
    return "/dev/ttyS" + std::to_string(port - 1);
}

DeviceCheck checkSerialDevice(const std::string& path) {
    DeviceCheck check;
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR || errno == ENXIO || errno == ENODEV) {
            check.problem = DeviceCheck::Problem::Missing;
        } else if (errno == EACCES || errno == EPERM) {
            check.problem = DeviceCheck::Problem::NoPermission;
            check.group = groupOf(path);
        } else if (errno == EBUSY) {
            check.problem = DeviceCheck::Problem::Busy;
        }
        return check;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) check.problem = DeviceCheck::Problem::Busy;
    } else {
        flock(fd, LOCK_UN);
    }
    close(fd);
    return check;
}

std::vector<std::string> candidateSerialDevices() {
    std::vector<std::string> devices;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/sys/class/tty", ec)) {
        const std::string name = entry.path().filename().string();
        const bool adapter = name.starts_with("ttyUSB") || name.starts_with("ttyACM");
        // A ttyS port the kernel found a UART behind has a port type other than 0 (none).
        const bool uart = name.starts_with("ttyS") && firstLine(entry.path() / "type") != "0" &&
                          !firstLine(entry.path() / "type").empty();
        if (adapter || uart) devices.push_back("/dev/" + name);
    }
    for (int port : {1, 2}) {
        const std::string variable = "QORLINK_COM" + std::to_string(port);
        if (const char* named = std::getenv(variable.c_str()); named != nullptr && *named != '\0')
            devices.emplace_back(named);
    }
    std::sort(devices.begin(), devices.end());
    devices.erase(std::unique(devices.begin(), devices.end()), devices.end());
    return devices;
}

std::vector<std::string> candidateDrives() {
    std::vector<std::string> drives;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/sys/block", ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("sd") || firstLine(entry.path() / "removable") != "1") continue;
        drives.push_back("/dev/" + name + " " + firstLine(entry.path() / "device" / "vendor") +
                         " " + firstLine(entry.path() / "device" / "model"));
    }
    std::sort(drives.begin(), drives.end());
    return drives;
}

}  // namespace orvia::cli
