// The host backend on POSIX systems.
#include "platform.h"
#include "posix/clock_posix.h"
#include "posix/file_posix.h"
#include "posix/library_posix.h"
#include "posix/scsi_linux.h"
#include "posix/serial_posix.h"

namespace qorlink {

namespace {

class PosixPlatform final : public Platform {
  public:
    std::unique_ptr<SerialPort> openSerial(int n) override {
        if (n < 1 || n > 9) return nullptr;
        return posix::openSerialDevice(posix::serialDeviceName(n));
    }
    std::vector<std::string> listRemovableScsi() override { return listLinuxRemovableScsi(); }
    std::unique_ptr<ScsiDevice> openScsi(const std::string& name) override {
        return openLinuxScsi(name);
    }
    uint32_t tickMs() override { return posix::monotonicMs(); }
    void sleepMs(uint32_t ms) override { posix::sleepMs(ms); }
    void sleepUntilTick(uint32_t tick) override { posix::sleepUntilMs(tick); }
    std::unique_ptr<LoadedLibrary> loadLibrary(const std::string& windowsName) override {
        return posix::loadSharedObject(windowsName);
    }
    FileRead readOpenFile(intptr_t file, std::vector<uint8_t>* bytes) override {
        return posix::readWholeFile(static_cast<int>(file), bytes);
    }
};

}  // namespace

Platform& hostPlatform() {
    static PosixPlatform host;
    return host;
}

}  // namespace qorlink
