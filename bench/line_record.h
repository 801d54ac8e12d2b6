// A record of what the library did on a serial line, and its replay at the protocol floor.
//
// RecordingPlatform passes every call to the host backend and notes, in order, each line
// operation of the serial ports it opens (settings, writes, reads with what they returned,
// purges) and each sleep. replayAtFloor() performs the same operations on a line of its own
// with the fewest blocking waits and system calls each needs: a write is one write and a
// drain; a read that timed out is one wait; a read that got bytes is a wait for the first,
// then, while bytes are missing, a sleep for their line time (plus the far end's pacing) and a
// read. Against the same camera this is what any implementation of the same exchange must
// spend at least, so the library's processor time over the replay's is its own overhead.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform.h"

namespace bench {

struct LineOp {
    enum Kind { SetLine, SetBaud, NoFlowControl, Write, Read, Purge, SleepMs, SleepToTick };
    explicit LineOp(Kind k, int v = 0) : kind(k), value(v) {}
    Kind kind;
    int value = 0;           // baud; the read's byte count; milliseconds; ticks ahead
    uint32_t timeoutMs = 0;  // a read's time-out
    int got = 0;             // what a read returned
    size_t at = 0, n = 0;    // what a write sent, in the record's bytes
};

struct LineRecord {
    std::vector<LineOp> ops;
    std::vector<uint8_t> bytes;  // every write's bytes, one after another
};

class RecordingPlatform final : public qorlink::Platform {
  public:
    RecordingPlatform() { startAfresh(); }

    // The operations since the last take, in order; the record starts afresh, with room made
    // beforehand so that noting a round's operations takes no allocation.
    LineRecord take();

    std::unique_ptr<qorlink::SerialPort> openSerial(int n) override;
    std::vector<std::string> listRemovableScsi() override;
    std::unique_ptr<qorlink::ScsiDevice> openScsi(const std::string& name) override;
    uint32_t tickMs() override;
    void sleepMs(uint32_t ms) override;
    void sleepUntilTick(uint32_t tick) override;
    std::unique_ptr<qorlink::LoadedLibrary> loadLibrary(const std::string& windowsName) override;
    qorlink::FileRead readOpenFile(intptr_t file, std::vector<uint8_t>* bytes) override;

    void note(const LineOp& op) { record_.ops.push_back(op); }
    void noteWrite(const uint8_t* data, size_t n);

  private:
    void startAfresh();

    LineRecord record_;
};

// Replays records on the open serial device `fd` (a pseudo-terminal whose far end is the
// camera). Bytes read ahead by one record's last read carry over to the next record.
class FloorReplay {
  public:
    explicit FloorReplay(int fd) : fd_(fd) {}
    // False, with a message on standard error, when the camera's answers ran short of the record.
    bool run(const LineRecord& record);

  private:
    bool perform(const LineOp& op, const LineRecord& record);
    bool setSpeed(int baud, bool raw);
    bool write(const uint8_t* data, size_t n);
    bool read(const LineOp& op);

    int fd_;
    int baud_ = 0;
    bool afterWrite_ = false;
    size_t held_ = 0;  // bytes read from the line and not yet taken by a recorded read
    std::array<uint8_t, 4096> buffer_{};
};

}  // namespace bench
