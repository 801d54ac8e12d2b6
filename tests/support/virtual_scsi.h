// A camera drive in memory: a ScsiDevice that answers INQUIRY with a chosen vendor name and the
// vendor CDB sequences of a chosen vendor row (announce, write message, status, length query,
// read message, release), carrying protocol bytes to and from the camera behind it.
//
// The drive checks what the host sends (CDB layout, vendor flag, transfer lengths, announce
// block, message headers) and counts every departure as a protocol error, failing that command.
// It records each command for tests and offers fault switches: fail the next commands, report a
// chosen message length at the next length query.
//
// A length query or read message that finds the camera silent waits, in virtual time, for the
// camera's next reply up to the command's time-out, as the camera's storage firmware holds the
// command until it has something to say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform.h"
#include "virtual_platform.h"

namespace camsim {
class Camera;
}

namespace qorlink::test {

using ScsiBytes = std::vector<uint8_t>;

// The virtual time the drive waits in.
class ScsiClock {
  public:
    virtual ~ScsiClock() = default;
    virtual uint64_t nowUs() = 0;
    virtual void advanceToUs(uint64_t us) = 0;
};

// The virtual platform's clock as drives see it.
class PlatformScsiClock final : public ScsiClock {
  public:
    explicit PlatformScsiClock(VirtualClock& clock) : clock_(clock) {}
    uint64_t nowUs() override { return clock_.nowUs(); }
    void advanceToUs(uint64_t us) override { clock_.advanceTo(us); }

  private:
    VirtualClock& clock_;
};

// What sits behind the drive: the camera's side of the link protocol.
class CameraSide {
  public:
    virtual ~CameraSide() = default;
    // Protocol bytes the host wrote, arriving from `nowUs` on.
    virtual void fromHost(const uint8_t* data, size_t n, uint64_t nowUs) = 0;
    // The camera's next reply unit (a handshake byte or a whole frame) if it is complete by
    // `deadlineUs`, with the time it was complete; nullopt when the camera stays silent.
    virtual std::optional<ScsiBytes> nextReply(uint64_t nowUs, uint64_t deadlineUs,
                                               uint64_t* readyUs) = 0;
};

// A camera played by a function: each unit the host wrote (a frame, or a single byte) is handed
// to it, and what it returns is queued as the camera's answer (split into units again).
class ScriptedCameraSide final : public CameraSide {
  public:
    using Handler = std::function<ScsiBytes(const ScsiBytes& unit)>;
    explicit ScriptedCameraSide(Handler handler) : handler_(std::move(handler)) {}
    void fromHost(const uint8_t* data, size_t n, uint64_t nowUs) override;
    std::optional<ScsiBytes> nextReply(uint64_t nowUs, uint64_t deadlineUs,
                                       uint64_t* readyUs) override;
    const std::vector<ScsiBytes>& units() const { return units_; }

  private:
    Handler handler_;
    ScsiBytes pending_;
    std::deque<uint8_t> toHost_;
    std::vector<ScsiBytes> units_;
};

// The software camera behind the drive. A camera on the storage interface is always in
// session (there is no session command on USB) and has no line speed to match.
class CamsimCameraSide final : public CameraSide {
  public:
    explicit CamsimCameraSide(camsim::Camera& camera);
    void fromHost(const uint8_t* data, size_t n, uint64_t nowUs) override;
    std::optional<ScsiBytes> nextReply(uint64_t nowUs, uint64_t deadlineUs,
                                       uint64_t* readyUs) override;

  private:
    camsim::Camera& camera_;
    ScsiBytes partial_;
};

struct ScsiRecord {
    ScsiBytes cdb;
    ScsiDirection direction = ScsiDirection::None;
    size_t length = 0;
    uint32_t timeoutSeconds = 0;
    ScsiBytes dataOut;  // what the host sent
    ScsiBytes dataIn;   // what the drive answered
    bool ok = false;
    uint64_t atUs = 0;  // virtual time the command arrived (0 without a clock)
};

class VirtualScsiCamera {
  public:
    // `vendorField`: INQUIRY bytes 8-15 (padded with spaces). `vendorId`: the row whose opcode
    // set and vendor flag the drive speaks; a row without a set (or 0) answers INQUIRY only.
    // `side` and `clock` may be null for a drive that is not a camera.
    VirtualScsiCamera(std::string vendorField, uint16_t vendorId, CameraSide* side,
                      ScsiClock* clock);
    ~VirtualScsiCamera();

    // A new handle on the drive, as the platform's openScsi gives it.
    std::unique_ptr<ScsiDevice> open();

    const std::vector<ScsiRecord>& log() const { return log_; }
    void clearLog() { log_.clear(); }
    // Records whose CDB byte 0 is `opcode`.
    std::vector<ScsiRecord> commands(uint8_t opcode) const;
    int releases() const { return releases_; }
    int openHandles() const { return openHandles_; }
    int protocolErrors() const { return protocolErrors_; }

    // Fault switches.
    // Fails `count` commands after letting `pass` commands through.
    void failNextCommands(int count = 1, int pass = 0) {
        failNext_ = count;
        passBeforeFail_ = pass;
    }
    // The next length query reports `length` (bytes 12-15) whatever the camera has to say.
    void reportLengthOnce(uint32_t length) { forcedLength_ = length; }

  private:
    class Handle;
    bool run(const uint8_t* cdb, size_t cdbLength, ScsiDirection direction, uint8_t* data,
             size_t length, uint32_t timeoutSeconds);
    bool vendorCommand(int role, const uint8_t* cdb, size_t cdbLength, ScsiDirection direction,
                       uint8_t* data, size_t length, uint32_t timeoutSeconds);
    bool stage(uint32_t timeoutSeconds);

    std::string vendorField_;
    uint16_t vendorId_;
    const uint8_t* opcodes_ = nullptr;  // six opcodes, or null
    bool vendorFlag_ = false;
    CameraSide* side_;
    ScsiClock* clock_;
    std::vector<ScsiRecord> log_;
    bool announced_ = false;
    std::optional<ScsiBytes> staged_;  // the reply the last length query announced
    uint32_t announcedLength_ = 0;
    int releases_ = 0;
    int openHandles_ = 0;
    int protocolErrors_ = 0;
    int failNext_ = 0;
    int passBeforeFail_ = 0;
    std::optional<uint32_t> forcedLength_;
};

// Named camera drives for a virtual platform's listRemovableScsi/openScsi.
class VirtualScsiBus {
  public:
    void add(const std::string& name, VirtualScsiCamera* drive) { drives_[name] = drive; }
    void remove(const std::string& name) { drives_.erase(name); }
    std::vector<std::string> names() const;
    std::unique_ptr<ScsiDevice> open(const std::string& name);
    int openCalls() const { return openCalls_; }

  private:
    std::map<std::string, VirtualScsiCamera*> drives_;
    int openCalls_ = 0;
};

// Registers `drive` (not owned) on the virtual platform under `name` ("/dev/sdb", "E:\\").
void addScsiCamera(VirtualPlatform& platform, const std::string& name, VirtualScsiCamera& drive);

}  // namespace qorlink::test
