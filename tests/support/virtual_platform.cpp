#include "virtual_platform.h"

#include <algorithm>

namespace qorlink::test {

namespace {

bool offeredBaud(int baud) {
    static const int rates[] = {9600, 19200, 38400, 57600, 115200, 230400};
    return std::find(std::begin(rates), std::end(rates), baud) != std::end(rates);
}

}  // namespace

// The host end of a line wired to a camera.
class VirtualPlatform::Port final : public SerialPort {
  public:
    Port(camsim::Camera& camera, LineControl& line, VirtualClock& clock)
        : camera_(camera), line_(line), clock_(clock) {
        line_.isOpen = true;
        ++line_.opens;
        // What the camera sent while the line was closed is gone.
        camera_.discardOutput(clock_.nowUs());
    }
    ~Port() override { line_.isOpen = false; }

    bool setLine(int baud) override { return setBaud(baud); }
    bool setNoFlowControl() override { return true; }
    bool setBaud(int baud) override {
        if (line_.failSetBaud || !offeredBaud(baud)) return false;
        line_.baud = baud;
        return true;
    }

    bool write(const uint8_t* data, size_t n) override {
        if (line_.failWrites) return false;
        camera_.receive(data, n, clock_.nowUs(), line_.baud);
        clock_.advanceUs(camsim::lineTimeUs(n, line_.baud));
        line_.bytesWritten += n;
        return true;
    }

    int read(uint8_t* data, size_t n, uint32_t timeoutMs) override {
        if (line_.failReads) return -1;
        if (n == 0) return 0;
        uint64_t deadline = clock_.nowUs() + static_cast<uint64_t>(timeoutMs) * 1000;
        uint64_t last = 0;
        size_t got = camera_.read(data, n, deadline, &last, line_.baud);
        clock_.advanceTo(got == n ? last : deadline);
        return static_cast<int>(got);
    }

    bool purge() override {
        camera_.discardOutput(clock_.nowUs());
        return true;
    }

  private:
    camsim::Camera& camera_;
    LineControl& line_;
    VirtualClock& clock_;
};

VirtualPlatform::VirtualPlatform(VirtualClock* shared)
    : ownClock_(shared == nullptr ? std::make_unique<VirtualClock>() : nullptr),
      clock_(shared != nullptr ? shared : ownClock_.get()) {}

VirtualPlatform::~VirtualPlatform() = default;

void VirtualPlatform::attach(int port, camsim::Camera& camera) {
    wires_[port].camera = &camera;
}

void VirtualPlatform::detach(int port) {
    wires_.erase(port);
}

LineControl& VirtualPlatform::line(int port) {
    return wires_[port].line;
}

void VirtualPlatform::addScsiDevice(const std::string& name, ScsiFactory open) {
    removeScsiDevice(name);
    scsi_.emplace_back(name, std::move(open));
}

void VirtualPlatform::removeScsiDevice(const std::string& name) {
    std::erase_if(scsi_, [&](const auto& d) { return d.first == name; });
}

std::unique_ptr<SerialPort> VirtualPlatform::openSerial(int n) {
    auto it = wires_.find(n);
    if (it == wires_.end() || it->second.camera == nullptr) return nullptr;
    LineControl& line = it->second.line;
    if (line.isOpen) return nullptr;  // exclusive use
    if (line.openFailures > 0) {
        --line.openFailures;
        return nullptr;
    }
    return std::make_unique<Port>(*it->second.camera, line, *clock_);
}

std::vector<std::string> VirtualPlatform::listRemovableScsi() {
    std::vector<std::string> names;
    for (const auto& d : scsi_)
        names.push_back(d.first);
    return names;
}

std::unique_ptr<ScsiDevice> VirtualPlatform::openScsi(const std::string& name) {
    for (const auto& d : scsi_)
        if (d.first == name) return d.second();
    return nullptr;
}

uint32_t VirtualPlatform::tickMs() {
    clock_->advanceUs(tickCostUs_);
    return clock_->tickMs();
}

void VirtualPlatform::sleepMs(uint32_t ms) {
    clock_->advanceUs(static_cast<uint64_t>(ms) * 1000);
}

void VirtualPlatform::sleepUntilTick(uint32_t tick) {
    const int32_t aheadMs = static_cast<int32_t>(tick - clock_->tickMs());
    if (aheadMs > 0) clock_->advanceTo((clock_->nowUs() / 1000 + uint64_t(aheadMs)) * 1000);
}

std::unique_ptr<LoadedLibrary> VirtualPlatform::loadLibrary(const std::string& windowsName) {
    return loader_ ? loader_(windowsName) : hostPlatform().loadLibrary(windowsName);
}

FileRead VirtualPlatform::readOpenFile(intptr_t file, std::vector<uint8_t>* bytes) {
    return hostPlatform().readOpenFile(file, bytes);
}

}  // namespace qorlink::test
