// The software camera: the camera's side of the link protocol over a byte stream.
//
// The camera lives on a timeline in microseconds chosen by its driver (a virtual clock in tests,
// the monotonic clock in the pseudo-terminal server). Bytes from the host are handed in with the
// time the host started sending them; bytes to the host queue up with the time each has fully
// arrived, one byte taking 10/baud seconds at the camera's current line speed. Timed events (an
// execute command finishing, a scheduled session end) run when the driver moves past their time
// by receiving, reading or advancing.
//
// The camera answers:
// - the probe byte 0x00 with NAK, in or out of a session;
// - the session command (class 0x53, set value of code 17) with ACK, then moves to the speed
//   of the index given (0 ends the session and returns to 19200 baud);
// - value commands (operation 0) with ACK, storing the value per code;
// - value queries (operation 1) with the reply 03 00 04 00 v0..v3 sum, sent again on NAK until
//   ACK or CAN; the readiness code 18 answers 1 when idle and 0 while an execute runs;
// - execute commands (operation 2) with ACK, then ENQ when the program has run (DC1 when the
//   profile lists it as failing);
// - data sends (operations 3 and 5) frame by frame: sums and sequence numbers checked, ACK for
//   a good frame, NAK for a bad one, a repeated frame acknowledged again but stored once (the
//   last frame too, after the send has ended, until the next command); the assembled data
//   replaces the record of the code when the last frame has arrived. A send cut short by a new
//   command or the end of the session is dropped: a send command always starts afresh;
// - data fetches (operations 4 and 6) with the record of the code as type-2/3 frames numbered
//   from 0, each sent after the ACK of the one before, sent again on NAK, given up on CAN or on
//   a new command. A code without a record answers one empty type-3 frame.
// Frames with a bad layout or sum are answered with NAK; well-formed commands the camera cannot
// carry out (unknown class or operation, wrong length) with DC1.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "camsim/faults.h"
#include "camsim/frame.h"
#include "camsim/line.h"
#include "camsim/profile.h"

namespace camsim {

// One command the camera received in a well-formed frame.
struct LogEntry {
    uint64_t atUs = 0;  // when its last byte arrived
    uint8_t cls = 0;    // class byte
    int op = 0;
    int code = 0;       // full code (class 0x44 adds 256)
    int32_t value = 0;  // value of a set-value command, parameter of an execute command
    // Bytes after operation and code; for a data send, all data received so far.
    std::vector<uint8_t> payload;
    bool inSession = true;  // false: ignored because no session was open
};

struct Stats {
    int probes = 0;
    int badFrames = 0;                 // answered with NAK (layout, sum, sequence)
    int abandonedFrames = 0;           // given up after a gap
    int acks = 0, naks = 0, cans = 0;  // handshake bytes received from the host
    int strayBytes = 0;                // bytes that belonged to nothing
    int garbledBytes = 0;              // received at the wrong line speed
};

// Extension points for model behaviour beyond storing and serving.
struct Hooks {
    std::function<void(int code, int32_t value)> onValueSet;
    // An execute command was accepted.
    std::function<void(int code, int parameter)> onExecute;
    // An execute command finished (`ok` false when it reported DC1).
    std::function<void(int code, int parameter, bool ok)> onExecuteDone;
    // A data send was completed; the record already holds the data.
    std::function<void(int code, const std::vector<uint8_t>& data)> onDataReceived;
    // Answers a value query before the stored values; nullopt falls through.
    std::function<std::optional<int32_t>(int code)> valueFor;
};

class Camera {
  public:
    explicit Camera(Profile profile = defaultProfile());
    ~Camera();
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // The line, host side. `hostBaud` is the speed the host's line is set to (0: unknown, no
    // speed check). Byte i of a receive has fully arrived at startUs + (i+1) byte times.
    void receive(const uint8_t* data, size_t n, uint64_t startUs, int hostBaud = 0);
    // Takes up to `max` bytes that have arrived by `untilUs`, in order; `lastByteUs` receives
    // the arrival time of the last byte taken. Runs timed events up to that point.
    size_t read(uint8_t* out, size_t max, uint64_t untilUs, uint64_t* lastByteUs = nullptr,
                int hostBaud = 0);
    // When the next byte arrives or the next timed event runs; UINT64_MAX when nothing is due.
    uint64_t nextOutputUs() const;
    // Bytes that have arrived by `untilUs` are lost (the host purged or was not listening).
    void discardOutput(uint64_t untilUs);
    // Runs the timed events due by `us`.
    void advanceTo(uint64_t us);

    // Sends the session-end byte at `atUs` (now, if that has passed) and ends the session.
    void endSession(uint64_t atUs);

    bool sessionOpen() const;
    int baud() const;
    bool executing() const;
    uint64_t nowUs() const;

    Profile& profile();
    FaultPlan& faults();
    Hooks& hooks();
    const std::vector<LogEntry>& log() const;
    void clearLog();
    const Stats& stats() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace camsim
