#include "win32/storage_win32.h"

#include <mutex>

#include "win32/aspi_device_win32.h"
#include "win32/aspi_discovery_win32.h"
#include "win32/aspi_layer_win32.h"
#include "win32/drive_io_win32.h"
#include "win32/drives_win32.h"
#include "win32/storage_choice_win32.h"

namespace qorlink::win32 {
namespace {

// Loaded at the first use that finds it, then kept: open devices share it.
std::shared_ptr<AspiLayer> HostAspiLayer() {
    static std::mutex guard;
    static std::shared_ptr<AspiLayer> layer;
    const std::lock_guard<std::mutex> lock(guard);
    if (!layer) layer = AspiLayer::load(hostEventWaiter());
    return layer;
}

std::unique_ptr<ScsiDevice> OpenAspiByName(const std::string& name) {
    const std::optional<AspiAddress> address = parseAspiName(name);
    if (!address) return nullptr;
    return openAspiDevice(HostAspiLayer(), *address);
}

}  // namespace

std::vector<std::string> listCameraDrives() {
    switch (storageChoice()) {
        case StorageChoice::PassThrough:
            return listRemovableDrives(hostDriveIo());
        case StorageChoice::Aspi:
            return listAspiDevices(HostAspiLayer());
        case StorageChoice::None:
            break;
    }
    return {};
}

std::unique_ptr<ScsiDevice> openCameraDrive(const std::string& name) {
    switch (storageChoice()) {
        case StorageChoice::PassThrough:
            return openDrive(hostDriveIo(), name);
        case StorageChoice::Aspi:
            return OpenAspiByName(name);
        case StorageChoice::None:
            break;
    }
    return nullptr;
}

}  // namespace qorlink::win32
