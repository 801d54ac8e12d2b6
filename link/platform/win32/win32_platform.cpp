// The host backend on Windows.
#include "platform.h"
#include "win32/clock_win32.h"
#include "win32/file_win32.h"
#include "win32/library_win32.h"
#include "win32/serial_win32.h"
#include "win32/storage_win32.h"

namespace qorlink {

namespace {

class Win32Platform final : public Platform {
  public:
    std::unique_ptr<SerialPort> openSerial(int n) override {
        if (n < 1 || n > 9) return nullptr;
        return win32::openComPort(win32::serialDeviceName(n));
    }
    std::vector<std::string> listRemovableScsi() override { return win32::listCameraDrives(); }
    std::unique_ptr<ScsiDevice> openScsi(const std::string& name) override {
        return win32::openCameraDrive(name);
    }
    uint32_t tickMs() override { return win32::tickMs(); }
    void sleepMs(uint32_t ms) override { win32::sleepMs(ms); }
    void sleepUntilTick(uint32_t tick) override { win32::sleepUntilTick(tick); }
    std::unique_ptr<LoadedLibrary> loadLibrary(const std::string& windowsName) override {
        return win32::loadDll(windowsName);
    }
    FileRead readOpenFile(intptr_t file, std::vector<uint8_t>* bytes) override {
        return win32::readWholeFile(file, bytes);
    }
};

}  // namespace

Platform& hostPlatform() {
    static Win32Platform host;
    return host;
}

}  // namespace qorlink
