// The host end of a virtual line to a software camera, for the simulator's tests: frames and
// handshakes go out at the host's line speed on the virtual clock, answers come back in time.
#pragma once

#include <memory>
#include <vector>

#include "camsim/camera.h"
#include "virtual_platform.h"

namespace camsim::test {

using Bytes = std::vector<uint8_t>;

class HostLine {
  public:
    explicit HostLine(Camera& camera) {
        platform_.attach(1, camera);
        port_ = platform_.openSerial(1);
        port_->setLine(kIdleBaud);
    }

    void send(const Bytes& b) { port_->write(b.data(), b.size()); }
    void send(uint8_t b) { send(Bytes{b}); }
    // Up to n bytes within timeoutMs.
    Bytes read(size_t n, uint32_t timeoutMs = 200) {
        Bytes b(n);
        int got = port_->read(b.data(), n, timeoutMs);
        b.resize(got < 0 ? 0 : static_cast<size_t>(got));
        return b;
    }
    uint8_t readByte(uint32_t timeoutMs = 200) {
        Bytes b = read(1, timeoutMs);
        return b.empty() ? 0xEE : b[0];  // 0xEE: nothing came
    }
    void setBaud(int baud) { port_->setBaud(baud); }
    void purge() { port_->purge(); }
    uint64_t nowUs() { return platform_.clock().nowUs(); }
    void sleepMs(uint32_t ms) { platform_.sleepMs(ms); }

    // Opens a session at `speedIndex` and follows the camera to its new speed.
    void openSession(int speedIndex) {
        send(sessionFrame(speedIndex));
        readByte();
        setBaud(kSpeedTable[speedIndex]);
    }
    // A value query answered and acknowledged; the reply's value.
    int32_t query(int code) {
        send(getValueFrame(code));
        Bytes r = read(10);
        send(kAck);
        if (r.size() != 10) return -1000;
        return static_cast<int32_t>(r[4] | r[5] << 8 | r[6] << 16 |
                                    static_cast<uint32_t>(r[7]) << 24);
    }

  private:
    qorlink::test::VirtualPlatform platform_;
    std::unique_ptr<qorlink::SerialPort> port_;
};

}  // namespace camsim::test
