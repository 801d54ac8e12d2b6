// A serial line whose far end is a script: every frame or single byte the library writes is
// handed to a handler that queues the camera's answer. Time is virtual: reads that find nothing
// advance the clock by their time-out, sleeps advance it by their length.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform.h"

namespace qorlink::test {

using Bytes = std::vector<uint8_t>;

struct Written {
    Bytes bytes;        // one frame, or one handshake byte
    uint64_t atMs = 0;  // when its first byte was written
};

class ScriptedLine : public Platform {
  public:
    // Called with each complete unit the host wrote; returns the bytes the camera answers.
    using Handler = std::function<Bytes(const Bytes& unit)>;

    explicit ScriptedLine(Handler handler = nullptr);
    ~ScriptedLine() override;

    void setHandler(Handler h) { handler_ = std::move(h); }
    bool handlerless() const { return !handler_; }
    // Bytes that will be waiting before the next read, as if sent unasked.
    void push(const Bytes& bytes);
    const std::vector<Written>& written() const { return written_; }
    // Individual write calls as the library issued them (to check pieces and gaps).
    const std::vector<Written>& writeCalls() const { return writeCalls_; }
    uint64_t nowMs() const { return nowMs_; }
    int openCount() const { return openCount_; }
    int baud() const { return baud_; }
    bool portOpen() const { return portOpen_; }
    void setOpenFails(bool fails) { openFails_ = fails; }
    void setAvailablePorts(std::vector<int> ports) { ports_ = std::move(ports); }

    std::unique_ptr<SerialPort> openSerial(int n) override;
    std::vector<std::string> listRemovableScsi() override { return {}; }
    std::unique_ptr<ScsiDevice> openScsi(const std::string&) override { return nullptr; }
    uint32_t tickMs() override { return static_cast<uint32_t>(nowMs_); }
    void sleepMs(uint32_t ms) override { nowMs_ += ms; }
    std::unique_ptr<LoadedLibrary> loadLibrary(const std::string&) override { return nullptr; }
    // Open files are the host's.
    FileRead readOpenFile(intptr_t file, std::vector<uint8_t>* bytes) override {
        return hostPlatform().readOpenFile(file, bytes);
    }

  private:
    class Port;
    friend class Port;
    void hostWrote(const uint8_t* data, size_t n);
    int hostRead(uint8_t* data, size_t n, uint32_t timeoutMs);

    Handler handler_;
    std::deque<uint8_t> toHost_;
    Bytes pending_;
    std::vector<Written> written_;
    std::vector<Written> writeCalls_;
    uint64_t nowMs_ = 1000;
    uint64_t pendingSince_ = 0;
    int openCount_ = 0;
    int baud_ = 0;
    bool portOpen_ = false;
    bool openFails_ = false;
    std::vector<int> ports_{1};
};

// Frame helpers for scripts.
Bytes ValueReply(int32_t value, uint8_t sequence = 0);
Bytes DataFrame(uint8_t type, uint8_t sequence, const Bytes& payload);
// A handler that behaves like an idle camera: NAK to the probe, ACK to every command frame, the
// value reply (value 1) to every value query, ACK bytes ignored.
Bytes IdleCamera(const Bytes& unit);
std::string Hex(const Bytes& bytes);

}  // namespace qorlink::test
