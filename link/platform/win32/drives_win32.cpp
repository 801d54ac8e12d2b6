#include "win32/drives_win32.h"

#include <cctype>
#include <cstring>

#include "win32/pass_through_win32.h"
#include "win32/storage_constants_win32.h"

namespace qorlink::win32 {
namespace {

bool IsFloppyRoot(const std::string& root) {
    return root.size() == 3 &&
           std::toupper(static_cast<unsigned char>(root[0])) == kFloppyRoot[0] &&
           root.compare(1, 2, kFloppyRoot + 1) == 0;
}

// "E:\" names drive E; anything else names no drive.
bool IsDriveRoot(const std::string& name) {
    return name.size() == 3 && std::isalpha(static_cast<unsigned char>(name[0])) &&
           name[1] == ':' && name[2] == '\\';
}

// The roots the system reports, read no further than the count it gave.
std::vector<std::string> LogicalDrives(DriveIo& io) {
    char buffer[kDriveStringsSpace] = {};
    const DWORD count = io.logicalDriveStrings(sizeof buffer, buffer);
    std::vector<std::string> roots;
    if (count == 0 || count >= sizeof buffer) return roots;
    for (size_t at = 0; at < count;) {
        const size_t length = strnlen(buffer + at, count - at);
        if (length > 0) roots.emplace_back(buffer + at, length);
        at += length + 1;
    }
    return roots;
}

std::vector<std::string> RemovableRoots(DriveIo& io) {
    std::vector<std::string> removable;
    for (const std::string& root : LogicalDrives(io)) {
        if (IsFloppyRoot(root)) continue;
        if (io.driveType(root.c_str()) == DRIVE_REMOVABLE) removable.push_back(root);
    }
    return removable;
}

void SendCameraDriveSetup(DriveIo& io, HANDLE device) {
    uint32_t values[3];
    std::memcpy(values, kCameraDriveSetup, sizeof values);
    DWORD returned = 0;
    io.deviceControl(device, kIoctlCameraDriveSetup, values, sizeof values, nullptr, 0, &returned);
}

}  // namespace

std::vector<std::string> listRemovableDrives(DriveIo& io) {
    const UINT previous = io.setErrorMode(SEM_FAILCRITICALERRORS);
    std::vector<std::string> roots = RemovableRoots(io);
    io.setErrorMode(previous);
    return roots;
}

std::unique_ptr<ScsiDevice> openDrive(DriveIo& io, const std::string& root) {
    if (!IsDriveRoot(root) || IsFloppyRoot(root)) return nullptr;
    const std::string path = kDevicePrefix + root.substr(0, 2);
    const HANDLE device = io.openDevice(path.c_str(), kDriveAccess, kDriveSharing);
    if (device == INVALID_HANDLE_VALUE || device == nullptr) return nullptr;
    SendCameraDriveSetup(io, device);
    return passThroughDevice(io, device);
}

}  // namespace qorlink::win32
