// A platform for tests: serial ports wired to software cameras, a virtual clock, and a place to
// register SCSI devices by name.
//
// Time passes only when the library waits: sleeping advances the clock, a write takes the time
// its bytes need on the line (10 bit times each), and a read returns as soon as the bytes it asked
// for have arrived, or at its deadline with whatever came. A 12-second time-out therefore costs
// nothing, and every run is exactly repeatable.
//
//   camsim::Camera camera;
//   qorlink::test::VirtualPlatform platform;
//   platform.attach(1, camera);
//   qorlink::test::ScopedPlatform installed(platform);
//   ... call the library; assert on camera.log() and platform.clock().nowUs() ...
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "camsim/camera.h"
#include "platform.h"

namespace qorlink::test {

// Microseconds since the start of the test.
class VirtualClock {
  public:
    uint64_t nowUs() const { return nowUs_; }
    uint32_t tickMs() const { return static_cast<uint32_t>(nowUs_ / 1000); }
    void advanceUs(uint64_t us) { nowUs_ += us; }
    void advanceTo(uint64_t us) {
        if (us > nowUs_) nowUs_ = us;
    }

  private:
    uint64_t nowUs_ = 0;
};

// What the host side of one virtual line does, for tests that need a failing line.
struct LineControl {
    int openFailures = 0;  // the next this many opens fail
    bool failWrites = false;
    bool failReads = false;
    bool failSetBaud = false;
    // Observed.
    int opens = 0;
    bool isOpen = false;
    int baud = 9600;  // the host's line speed (the driver default until set)
    uint64_t bytesWritten = 0;
};

class VirtualPlatform : public Platform {
  public:
    using ScsiFactory = std::function<std::unique_ptr<ScsiDevice>()>;
    using LibraryLoader = std::function<std::unique_ptr<LoadedLibrary>(const std::string&)>;

    // Uses its own clock, or `shared` (not owned) when given.
    explicit VirtualPlatform(VirtualClock* shared = nullptr);
    ~VirtualPlatform() override;

    VirtualClock& clock() { return *clock_; }

    // Wires serial port n (1-9) to `camera` (not owned); other ports fail to open.
    void attach(int port, camsim::Camera& camera);
    void detach(int port);
    LineControl& line(int port);

    // Removable SCSI devices: listed in the order registered, opened through their factory.
    void addScsiDevice(const std::string& name, ScsiFactory open);
    void removeScsiDevice(const std::string& name);

    // Library loading: the host's loader unless replaced.
    void setLibraryLoader(LibraryLoader loader) { loader_ = std::move(loader); }

    // A busy-wait on the tick count must end: each look at the clock costs this much.
    void setTickCostUs(uint64_t us) { tickCostUs_ = us; }

    std::unique_ptr<SerialPort> openSerial(int n) override;
    std::vector<std::string> listRemovableScsi() override;
    std::unique_ptr<ScsiDevice> openScsi(const std::string& name) override;
    uint32_t tickMs() override;
    void sleepMs(uint32_t ms) override;
    void sleepUntilTick(uint32_t tick) override;
    std::unique_ptr<LoadedLibrary> loadLibrary(const std::string& windowsName) override;
    // Open files are the host's: read through the host backend.
    FileRead readOpenFile(intptr_t file, std::vector<uint8_t>* bytes) override;

  private:
    struct Wire {
        camsim::Camera* camera = nullptr;
        LineControl line;
    };
    class Port;

    std::unique_ptr<VirtualClock> ownClock_;
    VirtualClock* clock_;
    std::map<int, Wire> wires_;
    std::vector<std::pair<std::string, ScsiFactory>> scsi_;
    LibraryLoader loader_;
    uint64_t tickCostUs_ = 10;
};

// Installs a platform for the lifetime of the object and restores the host backend after.
class ScopedPlatform {
  public:
    explicit ScopedPlatform(Platform& p) { installPlatform(&p); }
    ~ScopedPlatform() { installPlatform(nullptr); }
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;
};

}  // namespace qorlink::test
